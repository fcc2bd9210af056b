// The file-type icons through Qt and the image conversions behind them.
#include "platform/qt/QtFileTypeIcons.h"
#include "platform/qt/QtImageConversion.h"
#include "tests/support/TempFolder.h"

#include <fstream>
#include <gtest/gtest.h>

namespace glyphora {
namespace {

TEST(QtFileTypeIcons, EveryFileGetsAnIconOfTheRequestedSize)
{
    testing::TempFolder folder;
    const QtFileTypeIconProvider provider;
    for (const char* name : {"notes.txt", "picture.png", "unknown.zzqq", "noextension"}) {
        std::ofstream(folder.path() / name) << "some text";
        for (int size : {16, 32}) {
            const IconHandle icon = provider.IconForFile(folder.path() / name, size);
            EXPECT_EQ(icon.width, size) << name;
            EXPECT_EQ(icon.height, size) << name;
            ASSERT_TRUE(icon.color.has_value()) << name;
            EXPECT_EQ(icon.mask.width, size);
        }
    }
}

TEST(QtFileTypeIcons, ImageConversionKeepsAlphaAndMasksTransparentPixels)
{
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 0, 255));
    image.setPixel(1, 0, qRgba(0, 0, 0, 0));
    const IconHandle icon = IconFromImage(image);
    ASSERT_TRUE(icon.color);
    EXPECT_TRUE(icon.hasAlpha);
    EXPECT_EQ(icon.color->at(0, 0), MakePixel(255, 0, 0, 255));
    EXPECT_EQ(icon.mask.at(0, 0), kBlack);
    EXPECT_EQ(icon.mask.at(1, 0), kWhite);

    const QImage drawn = RenderIcon(icon, 2, 1, 0x0000FF00);
    EXPECT_EQ(drawn.pixel(0, 0) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(drawn.pixel(1, 0) & 0xFFFFFF, 0x00FF00u); // the background shows through
    EXPECT_TRUE(IconFromImage(QImage()).isNull());
}

} // namespace
} // namespace glyphora
