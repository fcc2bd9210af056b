// PNG (.png) writers on libpng: the opaque pictures of the exports, and transparent ones.
#pragma once

#include "raster/Bitmap.h"

#include <cstdint>
#include <vector>

namespace glyphora {

// An opaque 8-bit RGB PNG (no alpha channel, no transparency chunk). Throws GlyphoraError
// when the bitmap is empty or the codec fails.
std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap);

// An 8-bit RGBA PNG of a 32-bit bitmap whose fourth byte is straight (not premultiplied)
// alpha: the transparent pictures of the desktop additions. Throws as EncodePng does.
std::vector<std::uint8_t> EncodePngWithAlpha(const Bitmap& bitmap);

} // namespace glyphora
