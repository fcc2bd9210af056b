// Damaged and hostile icon images and .ico directories: each one gives a clear result
// (refused, or decoded by a stated rule) without crashing, hanging or allocating from a
// size field.
#include "iconengine/IconExtraction.h"
#include "formats/IconImageDecoder.h"

#include "tests/formats/IconTestImages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

namespace glyphora {
namespace {

using namespace testimages;

enum class Target { Image, Ico32 };
// Refused: no image. RefusedAtHeader: not even the header is accepted (nothing is decoded or
// allocated). Decodes: a result by a stated rule.
enum class Outcome { Refused, RefusedAtHeader, Decodes };

struct MalformedCase {
    std::string name;
    Bytes bytes;
    Target target;
    Outcome outcome;
    std::optional<std::uint32_t> firstPixel; // checked when it succeeds
};

Bytes Patch32(Bytes b, std::size_t at, std::uint32_t v)
{
    if (b.size() < at + 4) b.resize(at + 4);
    Set32(b, at, v);
    return b;
}
Bytes Patch16(Bytes b, std::size_t at, std::uint16_t v)
{
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
    return b;
}
Bytes Cut(Bytes b, std::size_t size)
{
    b.resize(size);
    return b;
}

Bytes Dib24()
{
    return UniformDib(16, 16, 0x336699);
}

Bytes Dib8WithPalette(std::vector<std::uint32_t> palette, std::uint32_t index0)
{
    DibSpec s;
    s.width = 4;
    s.height = 2;
    s.bitCount = 8;
    s.palette = std::move(palette);
    s.value = [index0](int x, int y) { return x == 0 && y == 0 ? index0 : 1u; };
    return MakeDib(s);
}

Bytes Png8()
{
    return MakePng(8, 8, std::vector<std::uint32_t>(64, 0xFF20A040), true);
}

std::vector<MalformedCase> Cases()
{
    const Bytes dib = Dib24();
    const Bytes png = Png8();
    const Bytes good16 = UniformDib(16, 16, 0x00FF00);
    IcoEntry pastEnd = Entry(good16, 16, 16);
    pastEnd.offsetOverride = 100000;
    IcoEntry sizePastEnd = Entry(good16, 16, 16);
    sizePastEnd.sizeOverride = 0x10000000;
    IcoEntry wraps = Entry(good16, 16, 16);
    wraps.offsetOverride = 0xFFFFFFF0u;
    wraps.sizeOverride = 0x20;
    // One byte of the compressed pixels changed: the chunk checksum no longer matches.
    Bytes damagedCrc = png;
    const std::string_view idat("IDAT");
    const auto at = std::search(damagedCrc.begin(), damagedCrc.end(), idat.begin(), idat.end());
    at[6] ^= 0x55;
    Bytes cursor = MakeIco({Entry(good16, 16, 16)});
    cursor[2] = 2;

    return {
        {"empty", {}, Target::Image, Outcome::RefusedAtHeader, {}},
        {"truncated_header", Cut(dib, 20), Target::Image, Outcome::RefusedAtHeader, {}},
        {"header_size_below_40", Patch32(dib, 0, 12), Target::Image, Outcome::RefusedAtHeader, {}},
        {"header_size_past_end", Patch32(dib, 0, 0x7FFFFFFF), Target::Image, Outcome::RefusedAtHeader, {}},
        {"width_zero", Patch32(dib, 4, 0), Target::Image, Outcome::RefusedAtHeader, {}},
        {"width_negative", Patch32(dib, 4, 0xFFFFFFF0u), Target::Image, Outcome::RefusedAtHeader, {}},
        {"height_zero", Patch32(dib, 8, 0), Target::Image, Outcome::RefusedAtHeader, {}},
        {"height_of_half_a_row", Patch32(dib, 8, 1), Target::Image, Outcome::RefusedAtHeader, {}},
        {"height_top_down",
         Patch32(dib, 8, static_cast<std::uint32_t>(-32)),
         Target::Image,
         Outcome::RefusedAtHeader,
         {}},
        {"absurd_size", Patch32(Patch32(dib, 4, 100000), 8, 200000), Target::Image, Outcome::RefusedAtHeader, {}},
        {"bit_count_zero", Patch16(dib, 14, 0), Target::Image, Outcome::RefusedAtHeader, {}},
        {"bit_count_seven", Patch16(dib, 14, 7), Target::Image, Outcome::RefusedAtHeader, {}},
        {"run_length_compression", Patch32(dib, 16, 1), Target::Image, Outcome::RefusedAtHeader, {}},
        {"palette_over_256",
         Patch32(Dib8WithPalette({0xFF0000, 0x00FF00}, 0), 32, 300),
         Target::Image,
         Outcome::RefusedAtHeader,
         {}},
        {"palette_past_data",
         Cut(Patch32(Dib8WithPalette({0xFF0000, 0x00FF00}, 0), 32, 200), 40 + 16 * 4),
         Target::Image,
         Outcome::Refused,
         {}},
        {"index_past_palette_is_black", Dib8WithPalette({0xFF0000, 0x00FF00}, 200), Target::Image, Outcome::Decodes,
         kBlack},
        {"rows_past_end", Cut(dib, 40 + 48 * 8), Target::Image, Outcome::Refused, {}},
        {"and_mask_missing", Cut(dib, 40 + 16 * 48), Target::Image, Outcome::Refused, {}},
        {"bitfields_overlap",
         [] {
             DibSpec s;
             s.bitCount = 16;
             s.bitfields = {0xF800, 0x0FE0, 0x001F};
             return MakeDib(s);
         }(),
         Target::Image,
         Outcome::Refused,
         {}},
        {"png_signature_only", Cut(png, 8), Target::Image, Outcome::RefusedAtHeader, {}},
        {"png_truncated", Cut(png, png.size() / 2), Target::Image, Outcome::Refused, {}},
        {"png_damaged_checksum", damagedCrc, Target::Image, Outcome::Refused, {}},
        {"png_header_claims_more_than_its_data", WithPngHeaderSize(png, 64, 64), Target::Image, Outcome::Refused, {}},
        {"png_header_20000_square", WithPngHeaderSize(png, 20000, 20000), Target::Image, Outcome::RefusedAtHeader, {}},
        {"png_sound", png, Target::Image, Outcome::Decodes, 0x20A040u},
        {"ico_header_only", Cut(MakeIco({Entry(good16, 16, 16)}), 6), Target::Ico32, Outcome::Refused, {}},
        {"ico_cursor_type", cursor, Target::Ico32, Outcome::Refused, {}},
        {"ico_huge_count", MakeIco({Entry(good16, 16, 16)}, 0xFFFF), Target::Ico32, Outcome::Decodes, 0x00FF00u},
        {"ico_offset_past_end", MakeIco({pastEnd}), Target::Ico32, Outcome::Refused, {}},
        {"ico_size_past_end", MakeIco({sizePastEnd}), Target::Ico32, Outcome::Refused, {}},
        {"ico_offset_plus_size_wraps", MakeIco({wraps}), Target::Ico32, Outcome::Refused, {}},
        {"ico_zero_means_256_but_image_says_16", MakeIco({Entry(good16, 0, 0)}), Target::Ico32, Outcome::Decodes,
         0x00FF00u},
        {"ico_real_256_png_listed_as_zero",
         MakeIco({Entry(MakePng(256, 256, std::vector<std::uint32_t>(256 * 256, 0xFF0000FF), true), 0, 0)}),
         Target::Ico32, Outcome::Decodes, 0x0000FFu},
        {"ico_20000_png_is_passed_over",
         MakeIco({Entry(WithPngHeaderSize(png, 20000, 20000), 0, 0), Entry(good16, 16, 16)}), Target::Ico32,
         Outcome::Decodes, 0x00FF00u},
    };
}

class MalformedInput : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedInput, GivesAClearResult)
{
    const MalformedCase& c = GetParam();
    const bool succeeds = c.outcome == Outcome::Decodes;
    if (c.target == Target::Image) {
        EXPECT_EQ(ReadIconImageInfo(c.bytes).has_value(), c.outcome != Outcome::RefusedAtHeader);
        const auto icon = DecodeIconImage(c.bytes);
        ASSERT_EQ(icon.has_value(), succeeds);
        if (!succeeds) return;
        ASSERT_TRUE(icon->color);
        if (c.firstPixel) {
            EXPECT_EQ(icon->color->at(0, 0), *c.firstPixel);
        }
    } else {
        const IconHandle icon = IconFromIcoBytes(c.bytes, 32);
        ASSERT_EQ(!icon.isNull(), succeeds);
        if (!succeeds) return;
        EXPECT_EQ(icon.width, 32);
        EXPECT_EQ(icon.height, 32);
        ASSERT_TRUE(icon.color);
        if (c.firstPixel) {
            EXPECT_EQ(icon.color->at(0, 0), *c.firstPixel);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, MalformedInput, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<MalformedCase>& i) { return i.param.name; });

} // namespace
} // namespace glyphora
