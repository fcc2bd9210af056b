// Enhanced metafile (.emf) writer: a metafile whose only drawing is the bitmap placed at the
// origin at its own pixel size, recorded against a 96-DPI screen.
#pragma once

#include "raster/Bitmap.h"

#include <cstdint>
#include <vector>

namespace glyphora {

// The metafile's file image: EMR_HEADER, one EMR_STRETCHDIBITS (SRCCOPY, a 24-bit BI_RGB DIB
// at (0, 0), width by height logical units) and EMR_EOF. Throws GlyphoraError for an empty
// or oversized bitmap.
std::vector<std::uint8_t> EncodeEmf(const Bitmap& bitmap);

} // namespace glyphora
