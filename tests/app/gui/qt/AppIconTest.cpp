// The window icon: every hicolor size of the application icon is compiled in, and each is
// our drawing (a card with rounded, transparent corners and an opaque magnifier in the middle).
#include "app/gui/AppIcon.h"

#include <QImage>
#include <QList>
#include <QPixmap>

#include <gtest/gtest.h>

#include <algorithm>

namespace glyphora {
namespace {

TEST(AppIcon, HoldsEveryHicolorSizeFrom16To256)
{
    const QIcon icon = ApplicationIcon();
    ASSERT_FALSE(icon.isNull());
    QList<int> sides;
    for (const QSize& size : icon.availableSizes()) {
        EXPECT_EQ(size.width(), size.height());
        sides.append(size.width());
    }
    std::sort(sides.begin(), sides.end());
    EXPECT_EQ(sides, (QList<int>{16, 22, 24, 32, 48, 64, 128, 256}));
}

TEST(AppIcon, EachSizeIsTheDrawingWithTransparentCornersAndAnOpaqueCentre)
{
    const QIcon icon = ApplicationIcon();
    for (const QSize& size : icon.availableSizes()) {
        const QImage image = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), size);
        const int last = size.width() - 1;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size.width();
        EXPECT_EQ(qAlpha(image.pixel(last, 0)), 0) << size.width();
        EXPECT_EQ(qAlpha(image.pixel(size.width() * 45 / 100, size.height() * 45 / 100)), 255) << size.width();
        // The coloured tiles: somewhere a saturated red.
        bool red = false;
        for (int y = 0; y < image.height() && !red; ++y)
            for (int x = 0; x < image.width() && !red; ++x) {
                const QRgb p = image.pixel(x, y);
                red = qAlpha(p) == 255 && qRed(p) > 200 && qGreen(p) < 110 && qBlue(p) < 110;
            }
        EXPECT_TRUE(red) << size.width();
    }
}

} // namespace
} // namespace glyphora
