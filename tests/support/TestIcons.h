// Small icon handles built in code for tests.
#pragma once

#include "raster/IconHandle.h"

#include <cstdint>

namespace glyphora::testing {

// An opaque icon of one colour, size x size, without alpha.
inline IconHandle SolidIcon(int size, std::uint32_t rgb)
{
    IconHandle icon;
    icon.width = icon.height = size;
    icon.color = Bitmap(size, size, 32, rgb & 0x00FFFFFF);
    icon.mask = Bitmap(size, size, 1, kBlack);
    return icon;
}

// An icon whose left half is opaque colour and right half transparent (mask white, colour 0).
inline IconHandle HalfTransparentIcon(int size, std::uint32_t rgb)
{
    IconHandle icon = SolidIcon(size, rgb);
    for (int y = 0; y < size; ++y)
        for (int x = size / 2; x < size; ++x) {
            icon.color->at(x, y) = kBlack;
            icon.mask.at(x, y) = kWhite;
        }
    return icon;
}

} // namespace glyphora::testing
