// Grey conversion of 24-bit work bitmaps (integer luma weights that sum to 256).
#include "export/ImageWriters.h"

namespace glyphora {

void GrayScaleBitmap(Bitmap& bitmap)
{
    if (bitmap.bitsPerPixel != 24) return;
    for (std::uint32_t& p : bitmap.pixels) {
        const unsigned grey = (77u * RedOf(p) + 151u * GreenOf(p) + 28u * BlueOf(p)) >> 8;
        const auto g = static_cast<std::uint8_t>(grey);
        p = MakePixel(g, g, g, AlphaOf(p));
    }
}

} // namespace glyphora
