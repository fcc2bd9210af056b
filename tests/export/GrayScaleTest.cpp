// Grey conversion of work bitmaps.
#include "export/ImageWriters.h"

#include <gtest/gtest.h>

namespace glyphora {
namespace {

TEST(GrayScaleBitmap, WeightsRedGreenBlueIntoAllThreeChannels)
{
    const struct {
        std::uint32_t colour;
        std::uint8_t grey;
    } cases[] = {
        {MakePixel(255, 0, 0), 76},      {MakePixel(0, 255, 0), 150}, {MakePixel(0, 0, 255), 27},
        {MakePixel(255, 255, 255), 255}, {MakePixel(0, 0, 0), 0},     {MakePixel(10, 200, 90), 130},
    };
    Bitmap bitmap(static_cast<int>(std::size(cases)), 1, 24);
    for (int i = 0; i < bitmap.width; ++i)
        bitmap.at(i, 0) = cases[i].colour;

    GrayScaleBitmap(bitmap);

    for (int i = 0; i < bitmap.width; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(bitmap.at(i, 0), MakePixel(cases[i].grey, cases[i].grey, cases[i].grey));
    }
}

TEST(GrayScaleBitmap, LeavesOtherPixelFormatsUnchanged)
{
    for (int bpp : {1, 4, 8, 32}) {
        SCOPED_TRACE(bpp);
        Bitmap bitmap(2, 2, bpp);
        bitmap.at(0, 0) = MakePixel(255, 0, 0, bpp == 32 ? 255 : 0);
        bitmap.at(1, 1) = MakePixel(0, 0, 255, bpp == 32 ? 128 : 0);
        const Bitmap before = bitmap;

        GrayScaleBitmap(bitmap);

        EXPECT_EQ(bitmap.pixels, before.pixels);
        EXPECT_EQ(bitmap.bitsPerPixel, bpp);
    }
}

} // namespace
} // namespace glyphora
