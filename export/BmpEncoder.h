// Windows bitmap (.bmp) file writer.
#pragma once

#include "raster/Bitmap.h"

#include <cstdint>
#include <vector>

namespace glyphora {

// The whole .bmp file in the bitmap's own pixel format: a 32-bit bitmap is written at 32 bits
// per pixel (fourth byte as held), every other bitmap at 24 bits per pixel. Our bitmaps carry
// no colour table, so 1-, 4- and 8-bit bitmaps are written as true-colour 24-bit files that
// show the same pixels. Throws GlyphoraError for an empty or oversized bitmap.
std::vector<std::uint8_t> EncodeBmp(const Bitmap& bitmap);

} // namespace glyphora
