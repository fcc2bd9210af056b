// The colour table, the palettes and the colour-depth classification of icon images.
#include "iconengine/ColorDepth.h"

#include <algorithm>
#include <unordered_set>

namespace glyphora {

namespace {

constexpr std::array<std::uint32_t, kStandardColorCount> kStandardColors = {
    0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF, // 0-9
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0, // 10-19
    0xFFF0D4, 0xFFE2B1, 0xFFD48E, 0xFFC66B, 0xFFB848, 0xFFAA25, 0xFFAA00, 0xDC9200, 0xB97A00, 0x966200, // 20-29
    0x734A00, 0x503200, 0xFFE3D4, 0xFFC7B1, 0xFFAB8E, 0xFF8F6B, 0xFF7348, 0xFF5725, 0xFF5500, 0xDC4900, // 30-39
    0xB93D00, 0x963100, 0x732500, 0x501900, 0xFFD4D4, 0xFFB1B1, 0xFF8E8E, 0xFF6B6B, 0xFF4848, 0xFF2525, // 40-49
    0xFE0000, 0xDC0000, 0xB90000, 0x960000, 0x730000, 0x500000, 0xFFD4E3, 0xFFB1C7, 0xFF8EAB, 0xFF6B8F, // 50-59
    0xFF4873, 0xFF2557, 0xFF0055, 0xDC0049, 0xB9003D, 0x960031, 0x730025, 0x500019, 0xFFD4F0, 0xFFB1E2, // 60-69
    0xFF8ED4, 0xFF6BC6, 0xFF48B8, 0xFF25AA, 0xFF00AA, 0xDC0092, 0xB9007A, 0x960062, 0x73004A, 0x500032, // 70-79
    0xFFD4FF, 0xFFB1FF, 0xFF8EFF, 0xFF6BFF, 0xFF48FF, 0xFF25FF, 0xFE00FE, 0xDC00DC, 0xB900B9, 0x960096, // 80-89
    0x730073, 0x500050, 0xF0D4FF, 0xE2B1FF, 0xD48EFF, 0xC66BFF, 0xB848FF, 0xAA25FF, 0xAA00FF, 0x9200DC, // 90-99
    0x7A00B9, 0x620096, 0x4A0073, 0x320050, 0xE3D4FF, 0xC7B1FF, 0xAB8EFF, 0x8F6BFF, 0x7348FF, 0x5725FF, // 100-109
    0x5500FF, 0x4900DC, 0x3D00B9, 0x310096, 0x250073, 0x190050, 0xD4D4FF, 0xB1B1FF, 0x8E8EFF, 0x6B6BFF, // 110-119
    0x4848FF, 0x2525FF, 0x0000FE, 0x0000DC, 0x0000B9, 0x000096, 0x000073, 0x000050, 0xD4E3FF, 0xB1C7FF, // 120-129
    0x8EABFF, 0x6B8FFF, 0x4873FF, 0x2557FF, 0x0055FF, 0x0049DC, 0x003DB9, 0x003196, 0x002573, 0x001950, // 130-139
    0xD4F0FF, 0xB1E2FF, 0x8ED4FF, 0x6BC6FF, 0x48B8FF, 0x25AAFF, 0x00AAFF, 0x0092DC, 0x007AB9, 0x006296, // 140-149
    0x004A73, 0x003250, 0xD4FFFF, 0xB1FFFF, 0x8EFFFF, 0x6BFFFF, 0x48FFFF, 0x25FFFF, 0x00FEFE, 0x00DCDC, // 150-159
    0x00B9B9, 0x009696, 0x007373, 0x005050, 0xD4FFF0, 0xB1FFE2, 0x8EFFD4, 0x6BFFC6, 0x48FFB8, 0x25FFAA, // 160-169
    0x00FFAA, 0x00DC92, 0x00B97A, 0x009662, 0x00734A, 0x005032, 0xD4FFE3, 0xB1FFC7, 0x8EFFAB, 0x6BFF8F, // 170-179
    0x48FF73, 0x25FF57, 0x00FF55, 0x00DC49, 0x00B93D, 0x009631, 0x007325, 0x005019, 0xD4FFD4, 0xB1FFB1, // 180-189
    0x8EFF8E, 0x6BFF6B, 0x48FF48, 0x25FF25, 0x00FE00, 0x00DC00, 0x00B900, 0x009600, 0x007300, 0x005000, // 190-199
    0xE3FFD4, 0xC7FFB1, 0xABFF8E, 0x8FFF6B, 0x73FF48, 0x57FF25, 0x55FF00, 0x49DC00, 0x3DB900, 0x319600, // 200-209
    0x257300, 0x195000, 0xF0FFD4, 0xE2FFB1, 0xD4FF8E, 0xC6FF6B, 0xB8FF48, 0xAAFF25, 0xAAFF00, 0x92DC00, // 210-219
    0x7AB900, 0x629600, 0x4A7300, 0x325000, 0xFFFFD4, 0xFFFFB1, 0xFFFF8E, 0xFFFF6B, 0xFFFF48, 0xFFFF25, // 220-229
    0xFEFE00, 0xDCDC00, 0xB9B900, 0x969600, 0x737300, 0x505000, 0xF2F2F2, 0xE6E6E6, 0xDADADA, 0xCECECE, // 230-239
    0xC2C2C2, 0xB6B6B6, 0xAAAAAA, 0x9E9E9E, 0x929292, 0x868686, 0x7A7A7A, 0x6E6E6E, 0x626262, 0x565656, // 240-249
    0x4A4A4A, 0x3E3E3E, 0x323232, 0x262626, 0x1A1A1A, 0x0E0E0E, 0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, // 250-259
    0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,                                         // 260-265
};

constexpr std::array<std::uint32_t, kVgaColorCount> kVgaColors = {
    0x000080, 0x0000FF, 0x008000, 0x008080, 0x00FF00, 0x00FFFF, 0x800000,
    0x800080, 0x808000, 0x808080, 0xC0C0C0, 0xFF0000, 0xFF00FF, 0xFFFF00,
};

constexpr std::array<std::uint32_t, 16> kVgaPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

// At most this many extra colours are remembered; a classification gives up on 8 bits
// after this many misses.
constexpr int kRememberedColorLimit = 236;
constexpr int kMissLimit = 238;

template <std::size_t N>
bool Contains(const std::array<std::uint32_t, N>& colors, std::size_t count, std::uint32_t v)
{
    return std::find(colors.begin(), colors.begin() + static_cast<std::ptrdiff_t>(count), v) !=
           colors.begin() + static_cast<std::ptrdiff_t>(count);
}

} // namespace

const std::array<std::uint32_t, kStandardColorCount>& StandardColorTable()
{
    return kStandardColors;
}

std::span<const std::uint32_t, kStandardPaletteSize> StandardPalette()
{
    return std::span<const std::uint32_t, kStandardColorCount>(kStandardColors).subspan<10, kStandardPaletteSize>();
}

const std::array<std::uint32_t, kVgaColorCount>& VgaColors()
{
    return kVgaColors;
}

const std::array<std::uint32_t, 16>& VgaPalette()
{
    return kVgaPalette;
}

IconColorDepth ClassifyColorDepth(std::span<const std::uint32_t> pixels)
{
    IconColorDepth result = IconColorDepth::Bits1;
    std::unordered_set<std::uint32_t> remembered;
    int misses = 0;
    for (std::uint32_t v : pixels) {
        if (v == 0x00FFFFFF || v == 0) continue;
        if (v > 0x00FFFFFF) return IconColorDepth::Bits32;
        if (result == IconColorDepth::Bits1) result = IconColorDepth::Bits4;
        if (Contains(kVgaColors, kVgaColorCount, v)) continue;
        if (result == IconColorDepth::Bits4) result = IconColorDepth::Bits8;
        if (Contains(kStandardColors, kBaseColorCount, v) || remembered.count(v) != 0) continue;
        // Colours met once the memory is full are not kept, so they count again each time.
        if (misses < kRememberedColorLimit) remembered.insert(v);
        ++misses;
        if (misses >= kMissLimit) return IconColorDepth::Bits24;
    }
    return result;
}

std::string ColorDepthLabel(IconColorDepth depth)
{
    return std::to_string(ColorDepthBitsPerPixel(depth));
}

int ColorDepthBitsPerPixel(IconColorDepth depth)
{
    switch (depth) {
    case IconColorDepth::Bits1: return 1;
    case IconColorDepth::Bits4: return 4;
    case IconColorDepth::Bits8: return 8;
    case IconColorDepth::Bits32: return 32;
    case IconColorDepth::Bits24: break;
    }
    return 24;
}

std::uint32_t ColorDepthColorsUsed(IconColorDepth depth)
{
    const int bits = ColorDepthBitsPerPixel(depth);
    return bits <= 8 ? (1u << bits) : 0u;
}

std::uint32_t ColorDepthPaletteBytes(IconColorDepth depth)
{
    return 4u * ColorDepthColorsUsed(depth);
}

} // namespace glyphora
