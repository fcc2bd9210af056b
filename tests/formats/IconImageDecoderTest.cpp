// Decoding of icon images: every DIB depth with exact pixels and mask, and PNG streams.
#include "formats/IconImageDecoder.h"

#include "tests/formats/IconTestImages.h"

#include <gtest/gtest.h>

namespace glyphora {
namespace {

using namespace testimages;

// A 3 x 2 image (odd width, so rows are padded) with this mask, top-down.
constexpr bool kTransparent[2][3] = {{false, true, false}, {false, false, true}};

struct DepthCase {
    const char* name;
    int bitCount;
    std::vector<std::uint32_t> palette;
    std::vector<std::uint32_t> bitfields;
    std::uint32_t values[2][3]; // stored values, top-down
    std::uint32_t expected[2][3];
    bool hasAlpha;
};

class DecodeDepth : public ::testing::TestWithParam<DepthCase> {};

TEST_P(DecodeDepth, GivesExactPixelsAndMask)
{
    const DepthCase& c = GetParam();
    DibSpec s;
    s.width = 3;
    s.height = 2;
    s.bitCount = c.bitCount;
    s.palette = c.palette;
    s.bitfields = c.bitfields;
    s.value = [&](int x, int y) { return c.values[y][x]; };
    s.transparent = [](int x, int y) { return kTransparent[y][x]; };
    const Bytes bytes = MakeDib(s);

    auto info = ReadIconImageInfo(bytes);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->width, 3);
    EXPECT_EQ(info->height, 2);
    EXPECT_EQ(info->bitCount, c.bitCount);
    EXPECT_FALSE(info->isPng);

    auto icon = DecodeIconImage(bytes);
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->width, 3);
    EXPECT_EQ(icon->height, 2);
    EXPECT_EQ(icon->hasAlpha, c.hasAlpha);
    ASSERT_TRUE(icon->color);
    EXPECT_EQ(icon->color->bitsPerPixel, 32);
    EXPECT_EQ(icon->mask.bitsPerPixel, 1);
    ASSERT_EQ(icon->mask.height, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(icon->color->at(x, y), c.expected[y][x]) << "pixel " << x << "," << y;
            EXPECT_EQ(icon->mask.at(x, y), kTransparent[y][x] ? kWhite : kBlack) << "mask " << x << "," << y;
        }
}

std::vector<std::uint32_t> Palette16()
{
    std::vector<std::uint32_t> p;
    for (std::uint32_t i = 0; i < 16; ++i)
        p.push_back(i * 0x111111);
    return p;
}

INSTANTIATE_TEST_SUITE_P(Depths, DecodeDepth,
                         ::testing::Values(DepthCase{"bits1",
                                                     1,
                                                     {0x000000, 0xFF0000},
                                                     {},
                                                     {{1, 0, 1}, {0, 1, 1}},
                                                     {{0xFF0000, 0, 0xFF0000}, {0, 0xFF0000, 0xFF0000}},
                                                     false},
                                           DepthCase{"bits4",
                                                     4,
                                                     Palette16(),
                                                     {},
                                                     {{0, 15, 7}, {1, 2, 14}},
                                                     {{0, 0xFFFFFF, 0x777777}, {0x111111, 0x222222, 0xEEEEEE}},
                                                     false},
                                           DepthCase{"bits8_short_palette",
                                                     8,
                                                     {0x102030, 0x405060, 0x708090},
                                                     {},
                                                     {{2, 1, 0}, {0, 0, 2}},
                                                     {{0x708090, 0x405060, 0x102030}, {0x102030, 0x102030, 0x708090}},
                                                     false},
                                           DepthCase{"bits16_555",
                                                     16,
                                                     {},
                                                     {},
                                                     {{0x7C00, 0x03E0, 0x001F}, {0x4210, 0x7FFF, 0x8000}},
                                                     {{0xFF0000, 0x00FF00, 0x0000FF}, {0x848484, 0xFFFFFF, 0x000000}},
                                                     false},
                                           DepthCase{"bits16_565_bitfields",
                                                     16,
                                                     {},
                                                     {0xF800, 0x07E0, 0x001F},
                                                     {{0xF800, 0x07E0, 0x001F}, {0, 0xFFFF, 0x0400}},
                                                     {{0xFF0000, 0x00FF00, 0x0000FF}, {0, 0xFFFFFF, 0x008200}},
                                                     false},
                                           DepthCase{"bits24",
                                                     24,
                                                     {},
                                                     {},
                                                     {{0x123456, 0xABCDEF, 0}, {0xFFFFFF, 1, 0x800000}},
                                                     {{0x123456, 0xABCDEF, 0}, {0xFFFFFF, 1, 0x800000}},
                                                     false},
                                           DepthCase{"bits32_no_alpha",
                                                     32,
                                                     {},
                                                     {},
                                                     {{0x00123456, 0, 0x00FF00FF}, {1, 2, 3}},
                                                     {{0x123456, 0, 0xFF00FF}, {1, 2, 3}},
                                                     false},
                                           DepthCase{"bits32_alpha",
                                                     32,
                                                     {},
                                                     {},
                                                     {{0xFF123456, 0, 0x80FF00FF}, {0x01000001, 0xFFFFFFFF, 0}},
                                                     {{0xFF123456, 0, 0x80FF00FF}, {0x01000001, 0xFFFFFFFF, 0}},
                                                     true}),
                         [](const ::testing::TestParamInfo<DepthCase>& i) { return std::string(i.param.name); });

TEST(DecodeIconImage, AlphaImageWithoutAndMaskTakesMaskFromAlpha)
{
    DibSpec s;
    s.width = 2;
    s.bitCount = 32;
    s.value = [](int x, int) { return x == 0 ? 0xFF00FF00u : 0x00FFFFFFu; };
    s.withMask = false;
    auto icon = DecodeIconImage(MakeDib(s));
    ASSERT_TRUE(icon);
    EXPECT_TRUE(icon->hasAlpha);
    EXPECT_EQ(icon->mask.at(0, 0), kBlack);
    EXPECT_EQ(icon->mask.at(1, 0), kWhite);
}

TEST(DecodeIconImage, PngWithPartialAlphaKeepsAlphaAndDerivesMask)
{
    const std::vector<std::uint32_t> px = {0xFFFF0000, 0x00000000, 0x8000FF00, 0xFF0000FF};
    const Bytes png = MakePng(2, 2, px, true);
    ASSERT_FALSE(png.empty());
    auto info = ReadIconImageInfo(png);
    ASSERT_TRUE(info);
    EXPECT_TRUE(info->isPng);
    EXPECT_EQ(info->width, 2);
    EXPECT_EQ(info->bitCount, 32);

    auto icon = DecodeIconImage(png);
    ASSERT_TRUE(icon);
    EXPECT_TRUE(icon->hasAlpha);
    EXPECT_EQ(icon->color->at(0, 0), 0xFFFF0000u);
    EXPECT_EQ(AlphaOf(icon->color->at(1, 0)), 0);
    EXPECT_EQ(icon->color->at(0, 1), 0x8000FF00u);
    EXPECT_EQ(icon->color->at(1, 1), 0xFF0000FFu);
    EXPECT_EQ(icon->mask.at(0, 0), kBlack);
    EXPECT_EQ(icon->mask.at(1, 0), kWhite);
    EXPECT_EQ(icon->mask.at(0, 1), kBlack);
}

TEST(DecodeIconImage, OpaquePngHasNoAlpha)
{
    for (bool withAlphaChannel : {false, true}) {
        const Bytes png = MakePng(2, 1, {0xFF102030, 0xFFFFFFFF}, withAlphaChannel);
        auto info = ReadIconImageInfo(png);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->bitCount, withAlphaChannel ? 32 : 24);
        auto icon = DecodeIconImage(png);
        ASSERT_TRUE(icon);
        EXPECT_FALSE(icon->hasAlpha);
        EXPECT_EQ(icon->color->at(0, 0), 0x102030u);
        EXPECT_EQ(icon->color->at(1, 0), 0xFFFFFFu);
        EXPECT_EQ(icon->mask.at(0, 0), kBlack);
        EXPECT_EQ(icon->mask.at(1, 0), kBlack);
    }
}

} // namespace
} // namespace glyphora
