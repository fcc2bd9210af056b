// What every picture encoder does first: refuse a bitmap it cannot write, and read the
// bitmap's pixels as packed red-green-blue bytes (the fourth byte is never written by the
// opaque formats).
#pragma once

#include "raster/Bitmap.h"

#include <cstdint>
#include <vector>

namespace glyphora {

// Throws GlyphoraError naming formatName when the bitmap is empty, when its pixel store does
// not match its size, or when a side is larger than maxSide.
void RequireEncodable(const Bitmap& bitmap, const char* formatName, int maxSide);

// Rows top-down, three bytes (R, G, B) per pixel, no padding.
std::vector<std::uint8_t> PackRgb(const Bitmap& bitmap);

} // namespace glyphora
