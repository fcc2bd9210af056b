// PNG (.png) writer on libpng.
#pragma once

#include "raster/Bitmap.h"

#include <cstdint>
#include <vector>

namespace glyphora {

// An opaque 8-bit RGB PNG (no alpha channel, no transparency chunk). Throws GlyphoraError
// when the bitmap is empty or the codec fails.
std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap);

} // namespace glyphora
