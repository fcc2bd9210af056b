// Writes icon images in the bitmap layout. Palette images treat pixels at least half opaque
// as solid and the rest as transparent (mask bit set over a black XOR pixel); 32-bit images
// keep their alpha and set the mask bit only where a pixel is fully transparent.
#include "ImageEncoding.h"
#include "Palettes.h"

#include "platform/GlyphoraError.h"

namespace glyphora::iconart {

namespace {

std::size_t rowBytes(int width, int bitCount)
{
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount) + 31) & ~std::size_t{31}) / 8;
}

struct Pixel {
    std::uint8_t r, g, b, a;
};

Pixel pixelAt(const RgbaImage& image, int x, int y)
{
    const std::size_t i =
        (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.size) + static_cast<std::size_t>(x)) * 4;
    return {image.rgba[i], image.rgba[i + 1], image.rgba[i + 2], image.rgba[i + 3]};
}

bool transparent(const Pixel& p, int bitCount)
{
    return bitCount == 32 ? p.a == 0 : p.a < 128;
}

// One XOR row, left to right, packed at bitCount bits a pixel and padded to 4 bytes.
void putColourRow(std::vector<std::uint8_t>& out, const RgbaImage& image, int y, int bitCount,
                  std::span<const PaletteEntry> palette)
{
    std::vector<std::uint8_t> row(rowBytes(image.size, bitCount), 0);
    for (int x = 0; x < image.size; ++x) {
        const Pixel p = pixelAt(image, x, y);
        const auto col = static_cast<std::size_t>(x);
        if (bitCount == 32) {
            if (p.a == 0) continue; // fully transparent pixels stay all zero
            row[col * 4] = p.b;
            row[col * 4 + 1] = p.g;
            row[col * 4 + 2] = p.r;
            row[col * 4 + 3] = p.a;
            continue;
        }
        const std::uint8_t index = transparent(p, bitCount) ? 0 : nearestIndex(palette, p.r, p.g, p.b);
        if (bitCount == 8)
            row[col] = index;
        else // 4 bits: the left pixel sits in the high nibble
            row[col / 2] |= static_cast<std::uint8_t>((col % 2 == 0) ? index << 4 : index);
    }
    out.insert(out.end(), row.begin(), row.end());
}

void putMaskRow(std::vector<std::uint8_t>& out, const RgbaImage& image, int y, int bitCount)
{
    std::vector<std::uint8_t> row(rowBytes(image.size, 1), 0);
    for (int x = 0; x < image.size; ++x)
        if (transparent(pixelAt(image, x, y), bitCount))
            row[static_cast<std::size_t>(x) / 8] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
}

} // namespace

std::vector<std::uint8_t> encodeDib(const RgbaImage& image, int bitCount)
{
    std::span<const PaletteEntry> palette;
    if (bitCount == 4)
        palette = vgaPalette();
    else if (bitCount == 8)
        palette = widePalette();
    else if (bitCount != 32)
        throw GlyphoraError("the sample art writes 4, 8 or 32-bit images, not " + std::to_string(bitCount));

    const auto height = static_cast<std::size_t>(image.size);
    const std::size_t xorBytes = rowBytes(image.size, bitCount) * height;
    const std::size_t andBytes = rowBytes(image.size, 1) * height;

    std::vector<std::uint8_t> out;
    putU32(out, 40);
    putU32(out, static_cast<std::uint32_t>(image.size));
    putU32(out, static_cast<std::uint32_t>(image.size * 2)); // XOR rows plus AND rows
    putU16(out, 1);
    putU16(out, static_cast<std::uint32_t>(bitCount));
    putU32(out, 0); // BI_RGB
    putU32(out, static_cast<std::uint32_t>(xorBytes + andBytes));
    putU32(out, 0);
    putU32(out, 0);
    putU32(out, static_cast<std::uint32_t>(palette.size()));
    putU32(out, 0);
    for (const PaletteEntry& e : palette) {
        out.push_back(e.b);
        out.push_back(e.g);
        out.push_back(e.r);
        out.push_back(0);
    }
    for (int y = image.size - 1; y >= 0; --y)
        putColourRow(out, image, y, bitCount, palette);
    for (int y = image.size - 1; y >= 0; --y)
        putMaskRow(out, image, y, bitCount);
    return out;
}

} // namespace glyphora::iconart
