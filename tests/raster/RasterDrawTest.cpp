// Drawing icons with mask and alpha, icon scaling, and bitmap rows in DIB formats.
#include "raster/RasterDraw.h"

#include "platform/GlyphoraError.h"

#include <gtest/gtest.h>

#include <array>

namespace glyphora {
namespace {

IconHandle ColorIcon(int w, int h, std::vector<std::uint32_t> colors, std::vector<bool> transparent, bool alpha)
{
    IconHandle icon;
    icon.width = w;
    icon.height = h;
    icon.hasAlpha = alpha;
    icon.color = Bitmap(w, h, 32, 0);
    icon.color->pixels = std::move(colors);
    icon.mask = Bitmap(w, h, 1, kBlack);
    for (std::size_t i = 0; i < transparent.size(); ++i)
        icon.mask.pixels[i] = transparent[i] ? kWhite : kBlack;
    return icon;
}

IconHandle UniformIcon(int size, std::uint32_t color, bool alpha)
{
    return ColorIcon(size, size, std::vector<std::uint32_t>(static_cast<std::size_t>(size * size), color),
                     std::vector<bool>(static_cast<std::size_t>(size * size), false), alpha);
}

TEST(DrawIcon, MaskKeepsWhiteWhereTransparentAndXorInverts)
{
    // Opaque red, transparent (black colour), "invert" (transparent with white colour).
    const IconHandle icon = ColorIcon(3, 1, {0xFF0000, 0, 0xFFFFFF}, {false, true, true}, false);
    Bitmap dst(3, 1, 24, kWhite);
    DrawIcon(dst, icon, 0, 0);
    EXPECT_EQ(dst.at(0, 0), 0xFF0000u);
    EXPECT_EQ(dst.at(1, 0), kWhite);
    EXPECT_EQ(dst.at(2, 0), kBlack);
}

TEST(DrawIcon, AlphaBlendsOverAndSetsFourthByteOnlyOn32Bits)
{
    const IconHandle icon = ColorIcon(2, 1, {0x80FF0000, 0x00123456}, {false, true}, true);
    Bitmap white24(2, 1, 24, kWhite);
    DrawIcon(white24, icon, 0, 0);
    // 255*128/255 + 255*127/255 for red; 0*128 + 255*127, rounded, for green and blue.
    EXPECT_EQ(white24.at(0, 0), MakePixel(255, 127, 127, 0));
    EXPECT_EQ(white24.at(1, 0), kWhite);

    Bitmap clear32(2, 1, 32, kWhite); // fourth byte 0
    DrawIcon(clear32, icon, 0, 0);
    EXPECT_EQ(clear32.at(0, 0), MakePixel(255, 127, 127, 128));
    EXPECT_EQ(clear32.at(1, 0), kWhite);

    Bitmap opaque32(2, 1, 32, 0xFF000000);
    DrawIcon(opaque32, icon, 0, 0);
    EXPECT_EQ(opaque32.at(0, 0), MakePixel(128, 0, 0, 255));
    EXPECT_EQ(opaque32.at(1, 0), 0xFF000000u);
}

TEST(DrawIcon, MonochromeUsesUpperHalfAsAndAndLowerHalfAsXor)
{
    IconHandle icon;
    icon.width = 3;
    icon.height = 1;
    icon.mask = Bitmap(3, 2, 1, kBlack);
    // AND row: opaque, transparent, transparent. XOR row: white, white, black.
    icon.mask.at(1, 0) = kWhite;
    icon.mask.at(2, 0) = kWhite;
    icon.mask.at(0, 1) = kWhite;
    icon.mask.at(1, 1) = kWhite;
    Bitmap dst(3, 1, 24, 0x808080);
    DrawIcon(dst, icon, 0, 0);
    EXPECT_EQ(dst.at(0, 0), kWhite);
    EXPECT_EQ(dst.at(1, 0), 0x7F7F7Fu);
    EXPECT_EQ(dst.at(2, 0), 0x808080u);
}

TEST(DrawIcon, ClipsToTheDestination)
{
    const IconHandle icon = ColorIcon(2, 2, {1, 2, 3, 4}, {false, false, false, false}, false);
    Bitmap dst(2, 2, 24, kWhite);
    DrawIcon(dst, icon, -1, -1);
    EXPECT_EQ(dst.at(0, 0), 4u);
    EXPECT_EQ(dst.at(1, 0), kWhite);
    EXPECT_EQ(dst.at(0, 1), kWhite);
    DrawIcon(dst, icon, 5, 5); // wholly outside: nothing happens
    DrawIcon(dst, IconHandle{}, 0, 0);
    EXPECT_EQ(dst.at(1, 1), kWhite);
}

TEST(ScaleIcon, UniformColourStaysTheSameAtEverySize)
{
    for (bool alpha : {false, true}) {
        const std::uint32_t color = alpha ? 0xC8336699 : 0x336699;
        const IconHandle icon = UniformIcon(48, color, alpha);
        for (int size : {16, 20, 32, 47, 64, 100}) {
            const IconHandle scaled = ScaleIcon(icon, size, size);
            ASSERT_EQ(scaled.width, size);
            ASSERT_TRUE(scaled.color);
            EXPECT_EQ(scaled.hasAlpha, alpha);
            for (std::size_t i = 0; i < scaled.color->pixels.size(); ++i) {
                ASSERT_EQ(scaled.color->pixels[i], color) << "size " << size << " pixel " << i;
                ASSERT_EQ(scaled.mask.pixels[i], kBlack);
            }
        }
    }
}

TEST(ScaleIcon, HalfTransparentIconKeepsItsMaskProportion)
{
    IconHandle icon = UniformIcon(48, 0x0000FF, false);
    for (int y = 0; y < 48; ++y)
        for (int x = 24; x < 48; ++x) {
            icon.mask.at(x, y) = kWhite;
            icon.color->at(x, y) = 0;
        }
    const IconHandle scaled = ScaleIcon(icon, 32, 32);
    int transparent = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const bool clear = scaled.mask.at(x, y) == kWhite;
            transparent += clear;
            EXPECT_EQ(clear, x >= 16);
            // Opaque pixels keep the icon's colour: transparent black never bleeds in.
            EXPECT_EQ(scaled.color->at(x, y), clear ? 0u : 0x0000FFu);
        }
    EXPECT_EQ(transparent, 32 * 16);
}

TEST(ScaleIcon, AlphaWeightsTheColour)
{
    const IconHandle icon = ColorIcon(2, 1, {0xFFFF0000, 0x0000FF00}, {false, true}, true);
    const IconHandle scaled = ScaleIcon(icon, 1, 1);
    ASSERT_TRUE(scaled.color);
    EXPECT_EQ(scaled.color->at(0, 0), MakePixel(255, 0, 0, 128));
}

TEST(ScaleIcon, MonochromeStaysMonochrome)
{
    IconHandle icon;
    icon.width = 4;
    icon.height = 4;
    icon.mask = Bitmap(4, 8, 1, kBlack);
    for (int y = 4; y < 8; ++y)
        for (int x = 0; x < 4; ++x)
            icon.mask.at(x, y) = kWhite; // XOR half white: a white square
    const IconHandle scaled = ScaleIcon(icon, 2, 2);
    EXPECT_FALSE(scaled.color);
    ASSERT_EQ(scaled.mask.height, 4);
    EXPECT_EQ(scaled.mask.at(0, 0), kBlack);
    EXPECT_EQ(scaled.mask.at(1, 3), kWhite);
}

TEST(ScaleIcon, RefusesEmptyOrOversizedTargets)
{
    const IconHandle icon = UniformIcon(4, 0x123456, false);
    EXPECT_TRUE(ScaleIcon(icon, 0, 4).isNull());
    EXPECT_TRUE(ScaleIcon(icon, 100000, 100000).isNull());
    EXPECT_TRUE(ScaleIcon(IconHandle{}, 4, 4).isNull());
}

TEST(DrawIconScaled, DrawsAtTheCellSize)
{
    const IconHandle icon = UniformIcon(48, 0x00FF00, false);
    Bitmap dst(20, 20, 24, kWhite);
    DrawIconScaled(dst, icon, 2, 2, 16, 16);
    EXPECT_EQ(dst.at(2, 2), 0x00FF00u);
    EXPECT_EQ(dst.at(17, 17), 0x00FF00u);
    EXPECT_EQ(dst.at(18, 18), kWhite);
    EXPECT_EQ(dst.at(1, 1), kWhite);
}

TEST(NearestPaletteIndex, PicksTheClosestAndTheFirstOnATie)
{
    const std::array<std::uint32_t, 4> palette = {0x000000, 0xFFFFFF, 0xFF0000, 0xFF0000};
    EXPECT_EQ(NearestPaletteIndex(0x101010, palette), 0);
    EXPECT_EQ(NearestPaletteIndex(0xF0F0F0, palette), 1);
    EXPECT_EQ(NearestPaletteIndex(0xE01010, palette), 2);
    EXPECT_EQ(NearestPaletteIndex(0x808080, std::array<std::uint32_t, 2>{0x7F7F7F, 0x818181}), 0);
}

TEST(DibRows, WritesBottomUpPaddedRows)
{
    Bitmap bmp(3, 2, 32, 0);
    bmp.at(0, 0) = 0xFFFFFF; // top row: white, black, white
    bmp.at(2, 0) = 0xFFFFFF;
    bmp.at(1, 1) = 0x80112233; // bottom row: black, colour, black

    const std::array<std::uint32_t, 2> mono = {0x000000, 0xFFFFFF};
    EXPECT_EQ(DibRows(bmp, 1, mono), (std::vector<std::uint8_t>{0x00, 0, 0, 0, 0xA0, 0, 0, 0}));

    const std::array<std::uint32_t, 3> three = {0x000000, 0xFFFFFF, 0x112233};
    EXPECT_EQ(DibRows(bmp, 4, three), (std::vector<std::uint8_t>{0x02, 0x00, 0, 0, 0x10, 0x10, 0, 0}));
    EXPECT_EQ(DibRows(bmp, 8, three), (std::vector<std::uint8_t>{0, 2, 0, 0, 1, 0, 1, 0}));

    EXPECT_EQ(DibRows(bmp, 24),
              (std::vector<std::uint8_t>{0,    0,    0,    0x33, 0x22, 0x11, 0,    0,    0,    0, 0, 0,
                                         0xFF, 0xFF, 0xFF, 0,    0,    0,    0xFF, 0xFF, 0xFF, 0, 0, 0}));
    const auto rows32 = DibRows(bmp, 32);
    ASSERT_EQ(rows32.size(), 24u);
    EXPECT_EQ(rows32[4], 0x33);
    EXPECT_EQ(rows32[7], 0x80);
    EXPECT_EQ(rows32[12], 0xFF);
}

TEST(DibRows, RefusesUnknownDepthsAndMissingPalettes)
{
    const Bitmap bmp(2, 2, 24);
    EXPECT_THROW(DibRows(bmp, 16), GlyphoraError);
    EXPECT_THROW(DibRows(bmp, 8), GlyphoraError);
    EXPECT_THROW(DibRows(bmp, 1, std::array<std::uint32_t, 3>{0, 1, 2}), GlyphoraError);
}

} // namespace
} // namespace glyphora
