// JPEG (.jpg) writer on libjpeg.
#pragma once

#include "raster/Bitmap.h"

#include <cstdint>
#include <vector>

namespace glyphora {

constexpr int kJpegQuality = 90;

// A baseline (sequential, not progressive) JFIF JPEG at quality 90 with three colour
// components, also for grey pictures. Throws GlyphoraError when the bitmap is empty or too
// large for JPEG, or when the codec fails.
std::vector<std::uint8_t> EncodeJpeg(const Bitmap& bitmap);

} // namespace glyphora
