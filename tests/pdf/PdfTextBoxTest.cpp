// WriteTextBox: line capacity, alignment, word wrap and text carried over to the next call.
#include "pdf/PdfDocument.h"

#include "PdfTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace glyphora {
namespace {

using pdftest::CrLfLines;

// A document with one font ("Arial" -> Helvetica) and an open uncompressed page; Content()
// closes it and returns the page's content stream.
class TextBoxPage {
public:
    explicit TextBoxPage(const std::string& face = "Arial") : doc_(out_)
    {
        font_ = doc_.CheckAddFont(face, false, false);
        doc_.WriteHeader(false, false, 792, 612, 8, 8, 8, 8, "", "", "", "");
        doc_.WritePageHeader();
    }
    PdfDocument& doc() { return doc_; }
    const std::string& font() const { return font_; }
    std::vector<std::string> Content()
    {
        doc_.WriteFooter();
        const auto pdf = pdftest::ParsePdf(out_.str());
        EXPECT_EQ(pdf.error, "");
        return CrLfLines(pdftest::StreamData(pdf, 6));
    }

private:
    std::ostringstream out_;
    PdfDocument doc_;
    std::string font_;
};

TEST(PdfTextBox, CentredNumberUnderAnIconCell)
{
    // A 24-point cell from 10 to 32 with its number baseline at 747, size 9: "1" is 5 points
    // wide, so x = round(21 - 2.5) = 18 (half to even).
    TextBoxPage page;
    PdfRect r{10, 747, 32, 0};
    std::string remaining;
    page.doc().WriteTextBox("1", false, "F0", 9, 0, PdfAlignment::Center, false, r, remaining);
    EXPECT_EQ(r.bottom, 757);
    EXPECT_EQ(page.Content(),
              (std::vector<std::string>{"q", "0 0 0 rg", "BT", "/F0 9 Tf", "18 747 Td", "(1) Tj", "ET", "Q"}));
}

TEST(PdfTextBox, AlignmentTable)
{
    const struct {
        PdfAlignment alignment;
        const char* text;
        const char* placement;
    } cases[] = {
        {PdfAlignment::Left, "ab", "100 500 Td"},
        {PdfAlignment::Right, "ab", "189 500 Td"},   // 1112 x 10 / 1000 = 11.12 -> 11; 200 - 11
        {PdfAlignment::Center, "ab", "144 500 Td"},  // round(150 - 5.5) = 144 (half to even)
        {PdfAlignment::Center, "abc", "142 500 Td"}, // 16.68 -> 17; round(141.5) = 142
    };
    for (const auto& c : cases) {
        TextBoxPage page;
        PdfRect r{100, 500, 200, 0};
        std::string remaining;
        page.doc().WriteTextBox(c.text, false, "F0", 10, 0, c.alignment, false, r, remaining);
        const auto lines = page.Content();
        ASSERT_GE(lines.size(), 5u);
        EXPECT_EQ(lines[4], c.placement) << c.text << " alignment " << static_cast<int>(c.alignment);
    }
}

TEST(PdfTextBox, CalcOnlyComputesTheBottomAndWritesNothing)
{
    TextBoxPage page;
    PdfRect r{100, 30, 142, 0};
    std::string remaining = "kept";
    // 7 wrapped lines, but only (30 - 8) div 10 + 2 = 4 fit: bottom = 30 + 4 x 10.
    page.doc().WriteTextBox("alpha beta gamma delta epsilon zeta eta theta", true, "F0", 9, 0, PdfAlignment::Left, true,
                            r, remaining);
    EXPECT_EQ(r.bottom, 70);
    EXPECT_EQ(remaining, "kept");
    PdfRect single{100, 700, 142, 0};
    page.doc().WriteTextBox("one", true, "F0", 9, 0, PdfAlignment::Left, true, single, remaining);
    EXPECT_EQ(single.bottom, 710);
    EXPECT_TRUE(page.Content().empty());
}

TEST(PdfTextBox, WordWrapCarriesTheLinesThatDoNotFitOver)
{
    TextBoxPage page;
    // round(42 x 2.14 / 9) - 1 = 9 characters per line.
    PdfRect r{100, 30, 142, 0};
    std::string remaining;
    page.doc().WriteTextBox("alpha beta gamma delta epsilon zeta eta theta  ", false, "F0", 9, 0x000000FF,
                            PdfAlignment::Left, true, r, remaining);
    EXPECT_EQ(remaining, "epsilon\r\nzeta eta\r\ntheta");

    PdfRect next{100, 600, 142, 0};
    page.doc().WriteTextBox("", false, "F0", 9, 0x000000FF, PdfAlignment::Left, true, next, remaining);
    EXPECT_EQ(remaining, "");
    EXPECT_EQ(next.bottom, 630);

    EXPECT_EQ(page.Content(), (std::vector<std::string>{"q",          "0 0 1 rg",
                                                        "BT",         "/F0 9 Tf",
                                                        "100 30 Td",  "(alpha) Tj",
                                                        "0 -10 TD",   "(beta) Tj",
                                                        "0 -10 TD",   "(gamma) Tj",
                                                        "0 -10 TD",   "(delta) Tj",
                                                        "ET",         "Q",
                                                        "q",          "0 0 1 rg",
                                                        "BT",         "/F0 9 Tf",
                                                        "100 600 Td", "(epsilon) Tj",
                                                        "0 -10 TD",   "(zeta eta) Tj",
                                                        "0 -10 TD",   "(theta) Tj",
                                                        "ET",         "Q"}));
}

TEST(PdfTextBox, CentredLinesMoveRelativeToThePreviousLine)
{
    TextBoxPage page;
    PdfRect r{0, 500, 100, 0};
    std::string remaining;
    // "iiii" = 4 x 222 x 10 / 1000 = 8.88 -> 9; "mm" = 2 x 833 x 10 / 1000 = 16.66 -> 17.
    page.doc().WriteTextBox("iiii\r\nmm", false, "F0", 10, 0, PdfAlignment::Center, true, r, remaining);
    const auto lines = page.Content();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[4], "46 500 Td"); // round(50 - 4.5) = 46 (half to even)
    EXPECT_EQ(lines[6], "-4 -11 TD"); // round(50 - 8.5) = 42 (half to even); 42 - 46
    EXPECT_EQ(lines[7], "(mm) Tj");
}

TEST(PdfTextBox, CharactersPerLineWithoutWordWrap)
{
    // Width 42 at size 9: lower case fits round(9.99) - 1 = 9; capitals (not a number) get
    // 2.14 / 1.1: round(9.08) - 1 = 8; a number counts as lower case; Courier uses 1.5:
    // round(7) - 1 = 6.
    const struct {
        const char* face;
        const char* text;
        const char* shown;
    } cases[] = {
        {"Arial", "abcdefghijkl", "(abcdefghi) Tj"},       {"Arial", "ABCDEFGHIJKL", "(ABCDEFGH) Tj"},
        {"Arial", "123456789012", "(123456789) Tj"},       {"Courier New", "ABCDEFGHIJKL", "(ABCDEF) Tj"},
        {"Arial", "a(b)cdefghijkl", "(a\\(b\\)cdefg) Tj"},
    };
    for (const auto& c : cases) {
        TextBoxPage page(c.face);
        PdfRect r{100, 500, 142, 0};
        std::string remaining;
        page.doc().WriteTextBox(c.text, false, "F0", 9, 0, PdfAlignment::Left, false, r, remaining);
        const auto lines = page.Content();
        ASSERT_GE(lines.size(), 6u);
        EXPECT_EQ(lines[5], c.shown) << c.face << " " << c.text;
        EXPECT_EQ(remaining, "");
    }
}

} // namespace
} // namespace glyphora
