// Measuring, classifying and converting icons and bitmaps.
#include "iconengine/IconRendering.h"

#include "IconTestSupport.h"

#include <gtest/gtest.h>

namespace glyphora {
namespace {

using testing::LE16;
using testing::LE32;

IconHandle ColorIcon(int w, int h, std::uint32_t fill, bool alpha = false)
{
    IconHandle icon;
    icon.width = w;
    icon.height = h;
    icon.color = Bitmap(w, h, 32, fill);
    icon.mask = Bitmap(w, h, 1, kBlack);
    icon.hasAlpha = alpha;
    return icon;
}

TEST(GetIconSizeTest, IsTheMaskSize)
{
    EXPECT_EQ(GetIconSize(IconHandle{}).width, 0);
    EXPECT_EQ(GetIconSize(IconHandle{}).height, 0);
    const auto color = GetIconSize(ColorIcon(48, 32, kBlack));
    EXPECT_EQ(color.width, 48);
    EXPECT_EQ(color.height, 32);
    IconHandle mono;
    mono.width = mono.height = 32;
    mono.mask = Bitmap(32, 64, 1, kWhite);
    EXPECT_EQ(GetIconSize(mono).width, 32);
    EXPECT_EQ(GetIconSize(mono).height, 64);
}

TEST(GetBitmapColorDepthTest, ReadsBottomRowFirst)
{
    // 238 extra colours on one row and an alpha pixel on the other: whichever row comes first
    // decides, since both stop the classification.
    Bitmap bmp(238, 2, 32, kWhite);
    for (int x = 0; x < 238; ++x)
        bmp.at(x, 1) = 0x123400u + static_cast<std::uint32_t>(x);
    bmp.at(0, 0) = 0xFF000001u;
    EXPECT_EQ(GetBitmapColorDepth(bmp), IconColorDepth::Bits24);
    std::swap_ranges(bmp.pixels.begin(), bmp.pixels.begin() + 238, bmp.pixels.begin() + 238);
    EXPECT_EQ(GetBitmapColorDepth(bmp), IconColorDepth::Bits32);
}

TEST(GetBitmapColorDepthTest, Cases)
{
    Bitmap inconsistent(4, 4, 32, kWhite);
    inconsistent.pixels.pop_back();
    Bitmap opaqueWithStrayByte(2, 2, 24, kWhite);
    opaqueWithStrayByte.at(1, 1) = 0xFF3C6E91u; // a 24-bit copy has no fourth byte
    const struct {
        const char* name;
        Bitmap bitmap;
        IconColorDepth expected;
    } cases[] = {
        {"white", Bitmap(8, 8, 24, kWhite), IconColorDepth::Bits1},
        {"vga", Bitmap(8, 8, 24, 0x008080), IconColorDepth::Bits4},
        {"odd", Bitmap(8, 8, 32, 0x3C6E91), IconColorDepth::Bits8},
        {"opaqueWithStrayByte", opaqueWithStrayByte, IconColorDepth::Bits8},
        {"empty", Bitmap(0, 0, 32), IconColorDepth::Bits4},
        {"inconsistent", inconsistent, IconColorDepth::Bits4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetBitmapColorDepth(c.bitmap), c.expected) << c.name;
}

TEST(MakeIconBitmapInfoTest, HeaderPerClass)
{
    const struct {
        int w, h, depth;
        std::uint16_t bits;
        std::uint32_t used, sizeImage;
        std::size_t infoSize;
    } cases[] = {
        {32, 32, 0, 1, 2, 128, 48},   {16, 16, 1, 4, 16, 128, 104}, {32, 32, 2, 8, 256, 1024, 1064},
        {48, 48, 3, 24, 0, 6912, 40}, {48, 48, 4, 32, 0, 9216, 40}, {5, -3, 3, 24, 0, 48, 40},
        {5, 3, 7, 24, 0, 48, 40},     {1, 1, 0, 1, 2, 4, 48},       {0, 0, 2, 8, 256, 0, 1064},
    };
    for (const auto& c : cases) {
        auto info = MakeIconBitmapInfo(c.w, c.h, static_cast<IconColorDepth>(c.depth));
        ASSERT_TRUE(info);
        const auto& b = info->info;
        ASSERT_EQ(b.size(), c.infoSize) << c.w << "x" << c.h << " class " << c.depth;
        EXPECT_EQ(LE32(b, 0), 40u);
        EXPECT_EQ(static_cast<std::int32_t>(LE32(b, 4)), c.w);
        EXPECT_EQ(static_cast<std::int32_t>(LE32(b, 8)), c.h);
        EXPECT_EQ(LE16(b, 12), 1u);
        EXPECT_EQ(LE16(b, 14), c.bits);
        EXPECT_EQ(LE32(b, 16), 0u);
        EXPECT_EQ(LE32(b, 20), c.sizeImage);
        EXPECT_EQ(LE32(b, 24) | LE32(b, 28), 0u);
        EXPECT_EQ(LE32(b, 32), c.used);
        EXPECT_EQ(LE32(b, 36), c.used);
        EXPECT_EQ(info->sizeImage, c.sizeImage);
        EXPECT_EQ(info->bitCount, c.bits);
    }
    EXPECT_FALSE(MakeIconBitmapInfo(-1, 4, IconColorDepth::Bits8));
    EXPECT_FALSE(MakeIconBitmapInfo(0x7FFFFFFF, 0x7FFFFFFF, IconColorDepth::Bits32));
}

std::vector<std::uint32_t> PaletteOf(const ConvertedBitmap& c)
{
    std::vector<std::uint32_t> p;
    for (std::size_t off = 40; off < c.header.info.size(); off += 4)
        p.push_back(LE32(c.header.info, off));
    return p;
}

TEST(ConvertIconBitmapTest, PalettesAndIndexes)
{
    // The top-left pixel is a palette colour; rows are stored bottom-up, so it opens the last row.
    Bitmap bmp(2, 2, 32, kWhite);
    bmp.at(0, 0) = 0x800000;
    auto c8 = ConvertIconBitmap(bmp, IconColorDepth::Bits8);
    ASSERT_TRUE(c8);
    EXPECT_EQ(PaletteOf(*c8), std::vector<std::uint32_t>(StandardPalette().begin(), StandardPalette().end()));
    ASSERT_EQ(c8->rows.size(), 8u);
    EXPECT_EQ(c8->rows[4], 1);   // 800000 is palette entry 1
    EXPECT_EQ(c8->rows[5], 255); // white is the last entry
    EXPECT_EQ(c8->rows[0], 255);

    auto c4 = ConvertIconBitmap(bmp, IconColorDepth::Bits4);
    ASSERT_TRUE(c4);
    EXPECT_EQ(PaletteOf(*c4), std::vector<std::uint32_t>(VgaPalette().begin(), VgaPalette().end()));
    ASSERT_EQ(c4->rows.size(), 8u);
    EXPECT_EQ(c4->rows[4], 0x1F);
    EXPECT_EQ(c4->rows[0], 0xFF);

    auto c1 = ConvertIconBitmap(bmp, IconColorDepth::Bits1);
    ASSERT_TRUE(c1);
    EXPECT_EQ(PaletteOf(*c1), (std::vector<std::uint32_t>{0x000000, 0xFFFFFF}));
    EXPECT_EQ(c1->rows[4] & 0xC0, 0x40); // dark red is nearer black

    auto c32 = ConvertIconBitmap(Bitmap(1, 1, 32, 0x80112233u), IconColorDepth::Bits32);
    ASSERT_TRUE(c32);
    EXPECT_EQ(c32->rows, (std::vector<std::uint8_t>{0x33, 0x22, 0x11, 0x80}));
    auto c24 = ConvertIconBitmap(Bitmap(1, 1, 32, 0x00112233u), IconColorDepth::Bits24);
    ASSERT_TRUE(c24);
    EXPECT_EQ(c24->rows, (std::vector<std::uint8_t>{0x33, 0x22, 0x11, 0}));
    EXPECT_EQ(c24->header.info.size(), 40u);
}

TEST(ConvertIconBitmapTest, InconsistentBitmapFails)
{
    Bitmap bmp(4, 4, 32, kWhite);
    bmp.pixels.resize(3);
    EXPECT_FALSE(ConvertIconBitmap(bmp, IconColorDepth::Bits8));
    Bitmap negative;
    negative.width = -2;
    negative.height = 2;
    EXPECT_FALSE(ConvertIconBitmap(negative, IconColorDepth::Bits24));
}

TEST(SplitMonochromeIconTest, UpperHalfIsTheMaskLowerTheImage)
{
    Bitmap mask(3, 4, 1, kWhite);
    mask.at(0, 0) = kBlack; // upper half
    mask.at(2, 3) = kBlack; // lower half
    Bitmap xorImage = SplitMonochromeIcon(mask);
    ASSERT_EQ(mask.width, 3);
    ASSERT_EQ(mask.height, 2);
    ASSERT_EQ(xorImage.width, 3);
    ASSERT_EQ(xorImage.height, 2);
    EXPECT_EQ(mask.bitsPerPixel, 1);
    EXPECT_EQ(xorImage.bitsPerPixel, 1);
    EXPECT_EQ(mask.pixels, (std::vector<std::uint32_t>{kBlack, kWhite, kWhite, kWhite, kWhite, kWhite}));
    EXPECT_EQ(xorImage.pixels, (std::vector<std::uint32_t>{kWhite, kWhite, kWhite, kWhite, kWhite, kBlack}));
}

TEST(GetColorCountTest, ClassifiesTheIconAsDrawnOnWhite)
{
    // Transparent pixels (white mask, black colour) leave the white canvas alone.
    IconHandle mostlyTransparent = ColorIcon(16, 16, kBlack);
    mostlyTransparent.mask = Bitmap(16, 16, 1, kWhite);
    mostlyTransparent.mask.at(3, 3) = kBlack;
    mostlyTransparent.color->at(3, 3) = 0x800000;
    EXPECT_EQ(GetColorCount(mostlyTransparent), IconColorDepth::Bits4);

    EXPECT_EQ(GetColorCount(ColorIcon(16, 16, 0x3C6E91)), IconColorDepth::Bits8);
    EXPECT_EQ(GetColorCount(ColorIcon(16, 16, 0x803C6E91, true)), IconColorDepth::Bits32);

    IconHandle mono;
    mono.width = mono.height = 8;
    mono.mask = Bitmap(8, 16, 1, kWhite);
    EXPECT_EQ(GetColorCount(mono), IconColorDepth::Bits1);

    EXPECT_EQ(GetColorCount(IconHandle{}), IconColorDepth::Bits4); // nothing to copy
}

} // namespace
} // namespace glyphora
