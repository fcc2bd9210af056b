// Colour table, palettes, class properties and the colour-depth classification.
#include "iconengine/ColorDepth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace glyphora {
namespace {

// Colours that are neither black, white, a VGA colour nor a base colour.
std::vector<std::uint32_t> Extras(int count)
{
    std::vector<std::uint32_t> v;
    for (int i = 0; i < count; ++i)
        v.push_back(0x123400u + static_cast<std::uint32_t>(i));
    return v;
}

std::vector<std::uint32_t> Concat(std::vector<std::uint32_t> a, const std::vector<std::uint32_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct ClassifyCase {
    const char* name;
    std::vector<std::uint32_t> pixels;
    IconColorDepth expected;
};

class ClassifyColorDepthTest : public ::testing::TestWithParam<ClassifyCase> {};

TEST_P(ClassifyColorDepthTest, GivesTheClass)
{
    EXPECT_EQ(ClassifyColorDepth(GetParam().pixels), GetParam().expected) << GetParam().name;
}

std::vector<ClassifyCase> ClassifyCases()
{
    const auto e237 = Extras(237);
    return {
        {"Empty", {}, IconColorDepth::Bits1},
        {"BlackAndWhite", {0, 0xFFFFFF, 0, 0xFFFFFF}, IconColorDepth::Bits1},
        {"DarkRedAmongBlackWhite", {0, 0xFFFFFF, 0x800000, 0}, IconColorDepth::Bits4},
        {"AllVgaColours",
         {0x000080, 0x0000FF, 0x008000, 0x008080, 0x00FF00, 0x00FFFF, 0x800000, 0x800080, 0x808000, 0x808080, 0xC0C0C0,
          0xFF0000, 0xFF00FF, 0xFFFF00},
         IconColorDepth::Bits4},
        {"OneOddColour", {0x3C6E91}, IconColorDepth::Bits8},
        {"BaseColourBesideVga", {0x800000, 0xC0DCC0, 0x008000}, IconColorDepth::Bits8},
        {"AlphaAtOnce", {0x3C6E91, 0x800000, 0xFF3C6E91, 0x123456}, IconColorDepth::Bits32},
        {"AlphaFirst", {0x01000000}, IconColorDepth::Bits32},
        {"Extras236Repeated", Concat(Extras(236), Extras(236)), IconColorDepth::Bits8},
        {"Extras237Once", e237, IconColorDepth::Bits8},
        {"Extra237Twice", Concat(e237, {e237.back()}), IconColorDepth::Bits24},
        {"Extra236IsRemembered", Concat(e237, {e237[235]}), IconColorDepth::Bits8},
        {"Extras238", Extras(238), IconColorDepth::Bits24},
        {"StopsAt238BeforeAlpha", Concat(Extras(238), {0xFF000000}), IconColorDepth::Bits24},
    };
}

INSTANTIATE_TEST_SUITE_P(Cases, ClassifyColorDepthTest, ::testing::ValuesIn(ClassifyCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StandardColorTableTest, HoldsTheListedColours)
{
    const auto& t = StandardColorTable();
    ASSERT_EQ(t.size(), 266u);
    const std::pair<int, std::uint32_t> samples[] = {
        {0, 0xFFFBF0},   {1, 0xA0A0A4},   {9, 0xFFFFFF},   {10, 0x000000},  {11, 0x800000},  {17, 0xC0C0C0},
        {18, 0xC0DCC0},  {19, 0xA6CAF0},  {20, 0xFFF0D4},  {31, 0x503200},  {50, 0xFE0000},  {67, 0x500019},
        {86, 0xFE00FE},  {122, 0x0000FE}, {158, 0x00FEFE}, {194, 0x00FE00}, {230, 0xFEFE00}, {235, 0x505000},
        {236, 0xF2F2F2}, {255, 0x0E0E0E}, {256, 0xFFFBF0}, {265, 0xFFFFFF}};
    for (auto [index, color] : samples)
        EXPECT_EQ(t[index], color) << "entry " << index;
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(t[256 + i], t[i]);
    for (int i = 236; i < 255; ++i)
        EXPECT_EQ(t[i] - t[i + 1], 0x0C0C0Cu) << "grey " << i;
    // The 18 hue ramps: six tints, the pure hue, five shades; the pure hue carries a 00 channel.
    for (int ramp = 0; ramp < 18; ++ramp) {
        const std::uint32_t pure = t[20 + 12 * ramp + 6];
        const bool hasZero = (pure & 0xFF) == 0 || (pure & 0xFF00) == 0 || (pure & 0xFF0000) == 0;
        EXPECT_TRUE(hasZero) << "ramp " << ramp;
    }
}

TEST(StandardColorTableTest, PaletteIsEntriesTenOn)
{
    const auto palette = StandardPalette();
    ASSERT_EQ(palette.size(), 256u);
    for (std::size_t k = 0; k < 256; ++k)
        EXPECT_EQ(palette[k], StandardColorTable()[k + 10]);
    EXPECT_EQ(palette.front(), 0x000000u);
    EXPECT_EQ(palette.back(), 0xFFFFFFu);
}

TEST(StandardColorTableTest, VgaColoursAndPalette)
{
    const auto& vga = VgaColors();
    const auto& t = StandardColorTable();
    for (std::uint32_t c : vga) {
        EXPECT_NE(std::find(t.begin(), t.begin() + 20, c), t.begin() + 20) << std::hex << c;
        EXPECT_NE(c, 0u);
        EXPECT_NE(c, 0xFFFFFFu);
    }
    const std::vector<std::uint32_t> expected = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                                 0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                                 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    EXPECT_EQ(std::vector<std::uint32_t>(VgaPalette().begin(), VgaPalette().end()), expected);
    std::vector<std::uint32_t> sortedVga(vga.begin(), vga.end()),
        sortedMiddle(expected.begin() + 1, expected.end() - 1);
    std::sort(sortedVga.begin(), sortedVga.end());
    std::sort(sortedMiddle.begin(), sortedMiddle.end());
    EXPECT_EQ(sortedVga, sortedMiddle);
}

TEST(ColorDepthPropertiesTest, PerClass)
{
    struct Row {
        int depth;
        const char* label;
        int bits;
        std::uint32_t used;
        std::uint32_t paletteBytes;
    };
    const Row rows[] = {{0, "1", 1, 2, 8},   {1, "4", 4, 16, 64}, {2, "8", 8, 256, 1024},
                        {3, "24", 24, 0, 0}, {4, "32", 32, 0, 0}, {9, "24", 24, 0, 0}};
    for (const Row& r : rows) {
        const auto d = static_cast<IconColorDepth>(r.depth);
        EXPECT_EQ(ColorDepthLabel(d), r.label) << r.depth;
        EXPECT_EQ(ColorDepthBitsPerPixel(d), r.bits) << r.depth;
        EXPECT_EQ(ColorDepthColorsUsed(d), r.used) << r.depth;
        EXPECT_EQ(ColorDepthPaletteBytes(d), r.paletteBytes) << r.depth;
    }
}

} // namespace
} // namespace glyphora
