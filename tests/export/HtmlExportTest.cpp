// The HTML page of a save-all run, byte for byte.
#include "export/HtmlExport.h"
#include "export/SaveAll.h"
#include "tests/support/TestIcons.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

class HtmlExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() /
               ("glyphora-html-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Export(int icons, int columns, bool numbers, bool borders)
    {
        CurrentIcons current;
        current.fileName = "/W/shell32.dll";
        for (int i = 0; i < icons; ++i)
            current.icons.push_back(testing::SolidIcon(32, 0x102030u * static_cast<unsigned>(i + 1)));
        SaveAllRequest request;
        request.fileType = OutputKind::Html;
        request.destDir = dir_ / "shell32_files";
        request.destFileName = dir_ / "shell32.htm";
        request.columnCount = columns;
        request.includeNumbers = numbers;
        request.drawBorders = borders;
        request.overwrite = OverwritePolicy::Replace; // no overwrite questions in these runs
        int count = 0;
        DialogAnswer confirm = DialogAnswer::None;
        SaveAll(current, request, count, confirm);
        EXPECT_EQ(count, icons);
        std::ifstream in(dir_ / "shell32.htm", std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    static std::string Cell(int n, bool number)
    {
        const std::string s = std::to_string(n);
        return "<td><img src=\"shell32_files/ico_shell32_dll000" + s + ".png\" width=\"32\" height=\"32\"alt=\"" + s +
               "\">" + (number ? "<br>" + s : "") + "</td>\r\n";
    }
    static std::string Head(bool borders)
    {
        return "\xEF\xBB\xBF<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n"
               "<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n"
               "<title>Icons from /W/shell32.dll</title>\r\n<style>\r\n" +
               std::string(borders ? "table, th, td {border: 1px solid black;}\r\n" : "") +
               "td {text-align: center;}\r\n</style>\r\n</head>\r\n<body>\r\n<table>\r\n<tr>\r\n";
    }
    static constexpr const char* kTail = "</table>\r\n</body>\r\n</html>";

    fs::path dir_;
};

TEST_F(HtmlExportTest, ThreeIconsInTwoColumnsEndWithOneFillerCell)
{
    const std::string expected = Head(true) + Cell(1, true) + Cell(2, true) + "</tr>\r\n<tr>\r\n" + Cell(3, true) +
                                 "<td>&nbsp;</td></tr>\r\n" + kTail;
    EXPECT_EQ(Export(3, 2, true, true), expected);
    for (int n = 1; n <= 3; ++n)
        EXPECT_TRUE(fs::exists(dir_ / "shell32_files" / ("ico_shell32_dll000" + std::to_string(n) + ".png"))) << n;
}

TEST_F(HtmlExportTest, LayoutVariants)
{
    // Four icons in two columns close their last row: no filler, no empty row.
    EXPECT_EQ(Export(4, 2, true, true), Head(true) + Cell(1, true) + Cell(2, true) + "</tr>\r\n<tr>\r\n" +
                                            Cell(3, true) + Cell(4, true) + "</tr>\r\n" + kTail);
    // Without borders and numbers: one style line less, no break and number, alt stays.
    EXPECT_EQ(Export(2, 2, false, false), Head(false) + Cell(1, false) + Cell(2, false) + "</tr>\r\n" + kTail);
    // More columns than icons: one row filled up to the column count.
    EXPECT_EQ(Export(2, 5, true, true), Head(true) + Cell(1, true) + Cell(2, true) +
                                            "<td>&nbsp;</td><td>&nbsp;</td><td>&nbsp;</td></tr>\r\n" + kTail);
    // A column count of 0 is taken as 1.
    EXPECT_EQ(Export(1, 0, true, true), Head(true) + Cell(1, true) + "</tr>\r\n" + kTail);
}

TEST_F(HtmlExportTest, SourceWithoutIconsWritesNoDocument)
{
    Export(0, 2, true, true);
    EXPECT_FALSE(fs::exists(dir_ / "shell32.htm"));
    EXPECT_FALSE(fs::exists(dir_ / "shell32_files")) << "the picture folder is made only for a first picture";
}

} // namespace
} // namespace glyphora

namespace glyphora {
namespace {

TEST(HtmlUrlTest, NamesBecomeUrlSegmentsThatLeadBackToTheirFiles)
{
    const struct {
        const char* name;
        const char* segment;
    } cases[] = {
        {"ico_shell32_dll0001.png", "ico_shell32_dll0001.png"},
        {"a#b?c%d", "a%23b%3Fc%25d"},
        {"two words", "two%20words"},
        {"x&y\"<z>", "x%26y%22%3Cz%3E"},
        {"caf\xC3\xA9~-_.", "caf%C3%A9~-_."},
        {"a/b\\c", "a%2Fb%5Cc"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UrlPathSegment(c.name), c.segment) << c.name;
}

TEST(HtmlUrlTest, PicturesOfASourceWithAwkwardNamesAreLinkedPercentEncoded)
{
    const fs::path dir = fs::temp_directory_path() /
                         ("glyphora-html-url-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    CurrentIcons current;
    current.fileName = "/W/50% #1?.dll";
    current.icons.push_back(testing::SolidIcon(32, 0x336699));
    SaveAllRequest request;
    request.fileType = OutputKind::Html;
    request.destDir = dir / "my #page_files";
    request.destFileName = dir / "my #page.htm";
    request.overwrite = OverwritePolicy::Replace;
    int count = 0;
    DialogAnswer confirm = DialogAnswer::None;
    SaveAll(current, request, count, confirm);

    std::ifstream in(dir / "my #page.htm", std::ios::binary);
    const std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string picture = "ico_50% #1?_dll0001.png";
    EXPECT_TRUE(fs::exists(dir / "my #page_files" / picture));
    EXPECT_NE(page.find("<img src=\"my%20%23page_files/ico_50%25%20%231%3F_dll0001.png\""), std::string::npos) << page;
    fs::remove_all(dir);
}

} // namespace
} // namespace glyphora
