// Small pictures with known pixels for the encoder tests.
#pragma once

#include "raster/Bitmap.h"

namespace glyphora::testing {

// 26 by 16 pixels (rows of 78 bytes, so BMP rows need padding): 8-by-8 blocks of red, green,
// blue in the top row of blocks and white, mid grey, a mixed colour below; the last two
// columns white, except one lone black pixel in the bottom-right corner.
inline Bitmap BlockPicture(int bitsPerPixel = 24)
{
    const std::uint32_t blocks[2][3] = {
        {MakePixel(255, 0, 0), MakePixel(0, 255, 0), MakePixel(0, 0, 255)},
        {MakePixel(255, 255, 255), MakePixel(128, 128, 128), MakePixel(200, 120, 40)},
    };
    Bitmap bitmap(26, 16, bitsPerPixel);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x)
            bitmap.at(x, y) = blocks[y / 8][x / 8];
    bitmap.at(25, 15) = kBlack;
    return bitmap;
}

// 64 by 64 pixels, all 4096 different colours: red follows x, green follows y.
inline Bitmap GradientPicture()
{
    Bitmap bitmap(64, 64, 24);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            bitmap.at(x, y) = MakePixel(static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>(y * 4), 96);
    return bitmap;
}

} // namespace glyphora::testing
