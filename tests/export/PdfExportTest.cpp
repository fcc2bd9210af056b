// The PDF export: layout values, the page checked by qpdf, the frames and numbers in the
// content stream, and the icons found by pixel where the layout puts them (pdftoppm).
#include "export/PdfExport.h"
#include "export/SaveAll.h"
#include "tests/support/RunTool.h"
#include "tests/support/TestIcons.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

TEST(PdfExportLayoutTest, ValuesForLargeAndSmallIcons)
{
    const PdfExportLayout framed = ComputePdfExportLayout(32, 32, true, true);
    EXPECT_EQ(framed.cellWidth, 24);
    EXPECT_EQ(framed.cellHeight, 24);
    EXPECT_EQ(framed.columns, 21);
    EXPECT_EQ(framed.rowStep, 39);
    EXPECT_EQ(framed.rowsPerPage, 19);
    const PdfExportLayout bare = ComputePdfExportLayout(32, 32, false, false);
    EXPECT_EQ(bare.columnStep, 26);
    EXPECT_EQ(bare.columns, 22);
    EXPECT_EQ(bare.rowStep, 26);
    EXPECT_EQ(ComputePdfExportLayout(16, 16, true, true).columns, 37);
}

std::uint32_t Colour(int k)
{
    return 0x200000u * static_cast<unsigned>(k % 7 + 1) + 0x2000u * static_cast<unsigned>(k % 5 + 1) +
           0x20u * static_cast<unsigned>(k % 3 + 1);
}

class PdfExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() /
               ("glyphora-pdf-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path Export(int icons, bool numbers, bool borders)
    {
        CurrentIcons current;
        current.fileName = "/W/app.exe";
        for (int k = 0; k < icons; ++k)
            current.icons.push_back(testing::SolidIcon(32, Colour(k)));
        SaveAllRequest request;
        request.fileType = OutputKind::Pdf;
        request.destDir = dir_;
        request.destFileName = dir_ / "icons.pdf";
        request.includeNumbers = numbers;
        request.drawBorders = borders;
        int count = 0;
        DialogAnswer confirm = DialogAnswer::None;
        SaveAll(current, request, count, confirm);
        EXPECT_EQ(count, icons);
        return dir_ / "icons.pdf";
    }

    // The content streams, uncompressed by qpdf.
    std::string Uncompressed(const fs::path& pdf)
    {
        const fs::path out = dir_ / "qdf.pdf";
        const auto r = testing::RunTool("qpdf --qdf --object-streams=disable " + testing::ShellQuote(pdf.string()) +
                                        " " + testing::ShellQuote(out.string()));
        EXPECT_EQ(r.status, 0) << r.output;
        std::ifstream in(out, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    fs::path dir_;
};

TEST_F(PdfExportTest, PageIsValidAndIconsSitWhereTheLayoutPutsThem)
{
    const fs::path pdf = Export(30, true, true);
    const auto check = testing::RunTool("qpdf --check " + testing::ShellQuote(pdf.string()));
    ASSERT_EQ(check.status, 0) << check.output;

    const std::string content = Uncompressed(pdf);
    EXPECT_NE(content.find("0.20 w"), std::string::npos);
    EXPECT_NE(content.find("8 745 28 39 re"), std::string::npos) << "first cell frame";
    EXPECT_NE(content.find("21.00 0 0 24.00 11.00 758.00 cm"), std::string::npos) << "first picture";
    EXPECT_NE(content.find("8 706 28 39 re"), std::string::npos)
        << "the 22nd icon starts the second row 39 points lower";
    EXPECT_NE(content.find("/Img30 Do"), std::string::npos);
    EXPECT_NE(content.find(" 747 Td"), std::string::npos) << "first number's baseline";

    // Render at 72 dpi (one pixel per point) and look at the middle of each picture.
    const auto render = testing::RunTool("pdftoppm -singlefile -png -r 72 " + testing::ShellQuote(pdf.string()) + " " +
                                         testing::ShellQuote((dir_ / "page").string()));
    ASSERT_EQ(render.status, 0) << render.output;
    std::ostringstream points;
    for (int k = 0; k < 30; ++k) {
        const int x = 8 + (k % 21) * 28 + 3 + 10, y = (k / 21) * 39 + 8 + 2 + 12;
        points << x << "," << y << " ";
    }
    const std::string script =
        "import sys\nfrom PIL import Image\nim = Image.open(sys.argv[1]).convert('RGB')\nprint(im.size[0], im.size[1])\n"
        "for p in sys.argv[2:]:\n    x, y = map(int, p.split(','))\n    r, g, b = im.getpixel((x, y))\n    print('%02X%02X%02X' % (r, g, b))\n";
    const fs::path py = dir_ / "pixels.py";
    std::ofstream(py) << script;
    const auto pixels = testing::RunTool(std::string(testing::kSystemPython) + " " + testing::ShellQuote(py.string()) +
                                         " " + testing::ShellQuote((dir_ / "page.png").string()) + " " + points.str());
    ASSERT_EQ(pixels.status, 0) << pixels.output;
    std::istringstream lines(pixels.output);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "612 792");
    for (int k = 0; k < 30; ++k) {
        ASSERT_TRUE(std::getline(lines, line));
        char expected[8];
        std::snprintf(expected, sizeof expected, "%06X", Colour(k));
        EXPECT_EQ(line, expected) << "icon " << k + 1;
    }
}

TEST_F(PdfExportTest, WithoutBordersAndNumbersThereAreNoFramesOrText)
{
    const std::string content = Uncompressed(Export(3, false, false));
    EXPECT_EQ(content.find(" re\n"), std::string::npos);
    EXPECT_EQ(content.find("BT"), std::string::npos);
    EXPECT_NE(content.find("/Img3 Do"), std::string::npos);
}

TEST_F(PdfExportTest, MoreIconsThanAPageHoldsContinueOnAFurtherPage)
{
    const fs::path pdf = Export(400, true, true); // 19 rows of 21 fit on a page
    ASSERT_EQ(testing::RunTool("qpdf --check " + testing::ShellQuote(pdf.string())).status, 0);
    const auto pages = testing::RunTool("qpdf --show-npages " + testing::ShellQuote(pdf.string()));
    EXPECT_EQ(pages.output, "2\n");
}

TEST_F(PdfExportTest, SourceWithoutIconsWritesNoDocument)
{
    Export(0, true, true);
    EXPECT_FALSE(fs::exists(dir_ / "icons.pdf"));
}

} // namespace
} // namespace glyphora
