// TEMPORARY STUB until the raster drawing lands: only what the icon engine links against.
// DibRows is a minimal plain conversion so the writers can be exercised; DrawIcon is absent.
#include "platform/GlyphoraError.h"
#include "platform/RasterDraw.h"

namespace glyphora {

void DrawIcon(Bitmap&, const IconHandle&, int, int)
{
    throw GlyphoraError("DrawIcon is not available in this build yet.");
}

namespace {
int Nearest(std::uint32_t rgb, std::span<const std::uint32_t> palette)
{
    int best = 0;
    long bestDistance = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const long dr = long(RedOf(rgb)) - RedOf(palette[i]);
        const long dg = long(GreenOf(rgb)) - GreenOf(palette[i]);
        const long db = long(BlueOf(rgb)) - BlueOf(palette[i]);
        const long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}
} // namespace

std::vector<std::uint8_t> DibRows(const Bitmap& bmp, int bitsPerPixel, std::span<const std::uint32_t> palette)
{
    const std::size_t rowBytes = ((std::size_t(bmp.width) * bitsPerPixel + 31) & ~std::size_t{31}) / 8;
    std::vector<std::uint8_t> out(rowBytes * std::size_t(bmp.height), 0);
    for (int y = 0; y < bmp.height; ++y) {
        std::uint8_t* row = out.data() + rowBytes * std::size_t(bmp.height - 1 - y);
        for (int x = 0; x < bmp.width; ++x) {
            const std::uint32_t p = bmp.at(x, y);
            if (bitsPerPixel <= 8) {
                const int index = Nearest(p & 0x00FFFFFF, palette);
                const std::size_t bit = std::size_t(x) * bitsPerPixel;
                row[bit / 8] |= static_cast<std::uint8_t>(index << (8 - bitsPerPixel - int(bit % 8)));
            } else {
                std::uint8_t* px = row + std::size_t(x) * (bitsPerPixel / 8);
                px[0] = BlueOf(p);
                px[1] = GreenOf(p);
                px[2] = RedOf(p);
                if (bitsPerPixel == 32) px[3] = AlphaOf(p);
            }
        }
    }
    return out;
}

} // namespace glyphora
