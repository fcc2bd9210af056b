// Number formats of the PDF writer and the standard font widths.
#include "pdf/PdfFormat.h"
#include "pdf/StandardFontMetrics.h"

#include <gtest/gtest.h>

#include <clocale>

namespace glyphora {
namespace {

TEST(PdfFormat, TwoDecimals)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {{0.2, "0.20"},   {21, "21.00"},   {758, "758.00"}, {-0.5, "-0.50"},
                 {1.005, "1.00"}, {2.675, "2.67"}, {0.125, "0.12"}, {3.14159, "3.14"}};
    for (const auto& c : cases) {
        EXPECT_EQ(PdfFixed2(c.value), c.text) << c.value;
    }
}

TEST(PdfFormat, TwoDecimalsIgnoreTheLocale)
{
    // Any installed locale with a decimal comma would do; without one the C locale is kept
    // and the check still holds.
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    for (const char* name : {"de_DE.UTF-8", "de_DE", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            break;
        }
    }
    EXPECT_EQ(PdfFixed2(0.2), "0.20");
    EXPECT_EQ(PdfFloatStr(192), "0.75");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(PdfFormat, ColourComponents)
{
    const struct {
        int component;
        const char* text;
    } cases[] = {{255, "1"},  {0, "0"},     {192, "0.75"}, {128, "0.5"}, {1, "0"},
                 {2, "0.01"}, {64, "0.25"}, {127, "0.5"},  {254, "1"},   {100, "0.39"}};
    for (const auto& c : cases) {
        EXPECT_EQ(PdfFloatStr(static_cast<std::uint8_t>(c.component)), c.text) << c.component;
    }
}

TEST(PdfFormat, XrefOffsetsHaveTenDigits)
{
    EXPECT_EQ(PdfXrefOffset(0), "0000000000");
    EXPECT_EQ(PdfXrefOffset(9), "0000000009");
    EXPECT_EQ(PdfXrefOffset(1234567890), "1234567890");
}

TEST(PdfFormat, RoundHalfEven)
{
    const struct {
        double value;
        long long rounded;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {2.4, 2}, {2.6, 3}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {23.75, 24}};
    for (const auto& c : cases) {
        EXPECT_EQ(RoundHalfEven(c.value), c.rounded) << c.value;
    }
}

TEST(StandardFontMetrics, PublishedWidths)
{
    const struct {
        const char* font;
        unsigned char ch;
        int width;
    } cases[] = {
        {"Helvetica", 'A', 667},
        {"Helvetica", ' ', 278},
        {"Helvetica", '\'', 191},
        {"Helvetica", 0x80, 556},
        {"Helvetica", 0xE9, 556},
        {"Helvetica-Bold", 'A', 722},
        {"Helvetica-Oblique", 'A', 667},
        {"Helvetica-BoldOblique", 'm', 889},
        {"Times-Roman", 'A', 722},
        {"Times-Roman", 'a', 444},
        {"Times-Bold", 'W', 1000},
        {"Times-Italic", 'A', 611},
        {"Times-Italic", 'm', 722},
        {"Times-BoldItalic", 'A', 667},
        {"Times-BoldItalic", 'H', 778},
        {"Courier", 'i', 600},
        {"Courier-BoldOblique", 'W', 600},
        {"Helvetica", 0x81, 0},
        {"Helvetica", '\t', 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StandardCharWidth(c.font, c.ch), c.width) << c.font << " " << int(c.ch);
    }
}

TEST(StandardFontMetrics, TextWidthInPoints)
{
    // H 722 + e 556 + l 222 + l 222 + o 556 = 2278 -> 22.78 pt at size 10.
    EXPECT_EQ(StandardTextWidth("Helvetica", "Hello", 10), 23);
    // "1" 556 at size 9 = 5.004 pt.
    EXPECT_EQ(StandardTextWidth("Helvetica", "1", 9), 5);
    // Courier: 4 x 600 x 10 / 1000 = 24.
    EXPECT_EQ(StandardTextWidth("Courier", "abcd", 10), 24);
    // 250 x 2 = 500 -> 2.5 pt at size 5 rounds to even.
    EXPECT_EQ(StandardTextWidth("Times-Roman", "  ", 5), 2);
}

} // namespace
} // namespace glyphora
