// The 8-bit table is the 16 VGA colours, a 6x6x6 colour cube and a 24-step grey ramp, so
// both flat VGA colours and smooth shading find a close entry.
#include "Palettes.h"

namespace glyphora::iconart {

namespace {

constexpr std::array<PaletteEntry, 16> kVga{{
    {0x00, 0x00, 0x00},
    {0x80, 0x00, 0x00},
    {0x00, 0x80, 0x00},
    {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80},
    {0x80, 0x00, 0x80},
    {0x00, 0x80, 0x80},
    {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80},
    {0xFF, 0x00, 0x00},
    {0x00, 0xFF, 0x00},
    {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF},
    {0xFF, 0x00, 0xFF},
    {0x00, 0xFF, 0xFF},
    {0xFF, 0xFF, 0xFF},
}};

std::array<PaletteEntry, 256> makeWide()
{
    std::array<PaletteEntry, 256> table{};
    std::size_t next = 0;
    for (const PaletteEntry& e : kVga)
        table[next++] = e;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                table[next++] = {static_cast<std::uint8_t>(r * 51), static_cast<std::uint8_t>(g * 51),
                                 static_cast<std::uint8_t>(b * 51)};
    for (int i = 0; next < table.size(); ++i) {
        const auto level = static_cast<std::uint8_t>(8 + i * 10);
        table[next++] = {level, level, level};
    }
    return table;
}

} // namespace

std::span<const PaletteEntry> vgaPalette()
{
    return kVga;
}

std::span<const PaletteEntry> widePalette()
{
    static const std::array<PaletteEntry, 256> table = makeWide();
    return table;
}

std::uint8_t nearestIndex(std::span<const PaletteEntry> palette, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    std::size_t best = 0;
    long bestDistance = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const long dr = long{palette[i].r} - r, dg = long{palette[i].g} - g, db = long{palette[i].b} - b;
        const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best);
}

} // namespace glyphora::iconart
