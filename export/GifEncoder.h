// GIF (.gif) writer on giflib.
#pragma once

#include "raster/Bitmap.h"

#include <cstdint>
#include <vector>

namespace glyphora {

// A single-image GIF with one global palette of at most 256 colours and no transparent
// colour. A picture with at most 256 distinct colours keeps them exactly; a picture with more
// is reduced by giflib's own median-cut quantiser. The palette is padded with black to the
// power of two GIF requires (at least 2 entries). Throws GlyphoraError when the bitmap is
// empty or too large for GIF, or when the codec fails.
std::vector<std::uint8_t> EncodeGif(const Bitmap& bitmap);

} // namespace glyphora
