// Tests of reading pack text and pack files: escapes, comments, BOM, line ends, bad lines
// with their line numbers, duplicate identifiers and the file limits.
#include "i18n/LanguagePack.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace glyphora {
namespace {

LanguagePack ParseClean(std::string_view text)
{
    std::vector<PackProblem> problems;
    LanguagePack pack = LanguagePack::Parse(text, problems);
    EXPECT_TRUE(problems.empty()) << "first problem: line " << problems.front().line << ": "
                                  << problems.front().message;
    return pack;
}

TEST(LanguagePackParse, DecodesTextOfALine)
{
    struct Case {
        const char* line;
        const char* text;
    };
    const Case cases[] = {
        {"7 = plain", "plain"},
        {"7=tight", "tight"},
        {"  7\t=\t  padded  \t", "padded"},
        {"7 = two\\nlines", "two\nlines"},
        {"7 = a\\r\\nb", "a\r\nb"},
        {"7 = col\\tumn", "col\tumn"},
        {"7 = C:\\\\dir\\\\", "C:\\dir\\"},
        {"7 = \\s kept \\s", "  kept  "},
        {"7 = \\\\s", "\\s"},
        {"7 = a # not a comment", "a # not a comment"},
        {"7 = x = y", "x = y"},
        {"7 =", ""},
        {"7 = 100%% \xC3\xA9t\xC3\xA9", "100%% \xC3\xA9t\xC3\xA9"},
        {"07 = leading zero", "leading zero"},
    };
    for (const auto& c : cases) {
        const LanguagePack pack = ParseClean(c.line);
        EXPECT_TRUE(pack.Has(7)) << c.line;
        EXPECT_EQ(pack.Text(7), c.text) << c.line;
    }
}

TEST(LanguagePackParse, SkipsCommentsAndBlankLines)
{
    const LanguagePack pack = ParseClean("# heading\n"
                                         "\n"
                                         "   \t \n"
                                         "   # 2 = indented comment\n"
                                         "1 = one\n"
                                         "#3 = commented out\n"
                                         "4 = four"); // the last line has no line end
    EXPECT_EQ(pack.Size(), 2u);
    EXPECT_EQ(pack.Text(1), "one");
    EXPECT_EQ(pack.Text(4), "four");
    EXPECT_FALSE(pack.Has(2));
    EXPECT_FALSE(pack.Has(3));
    EXPECT_EQ(pack.Text(3), "");
}

TEST(LanguagePackParse, AcceptsBomAndCrLfLineEnds)
{
    const LanguagePack pack = ParseClean("\xEF\xBB\xBF"
                                         "1 = one\r\n2 = two\r\n\r\n0 = zero\r\n65535 = last\r\n");
    EXPECT_EQ(pack.Size(), 4u);
    EXPECT_EQ(pack.Text(1), "one");
    EXPECT_EQ(pack.Text(2), "two");
    EXPECT_EQ(pack.Text(0), "zero");
    EXPECT_EQ(pack.Text(65535), "last");
}

TEST(LanguagePackParse, ReportsBadLinesWithTheirNumbersAndKeepsTheRest)
{
    struct Case {
        std::string line;
        const char* messagePart;
    };
    const std::vector<Case> cases = {
        {"no equals sign", "identifier = text"},
        {"abc = x", "0 to 65535"},
        {"65536 = x", "0 to 65535"},
        {"99999999999999999999 = x", "0 to 65535"},
        {"-1 = x", "0 to 65535"},
        {" = x", "0 to 65535"},
        {"1 2 = x", "0 to 65535"},
        {"5 = bad \\q escape", "unknown escape \\q"},
        {"5 = bad \\\xC3\xA9 escape", "unknown escape \\\xC3\xA9"},
        {"5 = ends with \\", "single backslash"},
        {"5 = \xC3\x28", "UTF-8"},
        {"5 = caf\xE9", "UTF-8"},
        {"5 = " + std::string(kMaxPackLineBytes, 'x'), "longer than"},
    };
    for (const auto& c : cases) {
        std::vector<PackProblem> problems;
        const LanguagePack pack = LanguagePack::Parse("# first\n1 = before\n" + c.line + "\n2 = after\n", problems);
        ASSERT_EQ(problems.size(), 1u) << c.line.substr(0, 40);
        EXPECT_EQ(problems[0].line, 3) << c.line.substr(0, 40);
        EXPECT_NE(problems[0].message.find(c.messagePart), std::string::npos) << problems[0].message;
        EXPECT_EQ(pack.Size(), 2u) << c.line.substr(0, 40);
        EXPECT_EQ(pack.Text(1), "before");
        EXPECT_EQ(pack.Text(2), "after");
        EXPECT_FALSE(pack.Has(5));
    }
}

TEST(LanguagePackParse, LineAtTheLengthLimitIsAccepted)
{
    const std::string line = "5 = " + std::string(kMaxPackLineBytes - 4, 'x');
    const LanguagePack pack = ParseClean(line);
    EXPECT_EQ(pack.Text(5).size(), kMaxPackLineBytes - 4);
}

TEST(LanguagePackParse, FirstDefinitionOfAnIdentifierWins)
{
    std::vector<PackProblem> problems;
    const LanguagePack pack = LanguagePack::Parse("602 = first\n1 = other\n0602 = second\n602 = third\n", problems);
    EXPECT_EQ(pack.Text(602), "first");
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].line, 3);
    EXPECT_EQ(problems[1].line, 4);
    EXPECT_NE(problems[0].message.find("602"), std::string::npos) << problems[0].message;
    EXPECT_NE(problems[0].message.find("line 1"), std::string::npos) << problems[0].message;
}

// Writes a file in a fresh folder of the system's temporary path, removed at the end.
class LanguagePackFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() / (std::string("glyphora_pack_") + info->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path Write(const std::string& name, const std::string& bytes)
    {
        const auto path = folder_ / name;
        std::ofstream out(path, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    std::filesystem::path folder_;
};

TEST_F(LanguagePackFileTest, CleanFileLoadsWithoutError)
{
    const auto file = LoadLanguagePackFile(Write("ok.lng", "\xEF\xBB\xBF# pack\n1 = Cancel\n50000 = 5.1.0.2\n"));
    ASSERT_TRUE(file.pack.has_value());
    EXPECT_EQ(file.error, "");
    EXPECT_EQ(file.pack->Text(1), "Cancel");
    EXPECT_EQ(file.pack->Text(50000), "5.1.0.2");
}

TEST_F(LanguagePackFileTest, MissingFileGivesAnErrorAndNoPack)
{
    const auto file = LoadLanguagePackFile(folder_ / "absent.lng");
    EXPECT_FALSE(file.pack.has_value());
    EXPECT_NE(file.error.find("absent.lng"), std::string::npos) << file.error;
}

TEST_F(LanguagePackFileTest, BadLinesAreListedButGoodLinesServe)
{
    const auto file = LoadLanguagePackFile(Write("some.lng", "1 = one\nbroken\n2 = two\n3 = \\x\n"));
    ASSERT_TRUE(file.pack.has_value());
    EXPECT_EQ(file.pack->Text(2), "two");
    EXPECT_NE(file.error.find("line 2:"), std::string::npos) << file.error;
    EXPECT_NE(file.error.find("line 4:"), std::string::npos) << file.error;
    EXPECT_EQ(file.error.find("line 1:"), std::string::npos) << file.error;
}

TEST_F(LanguagePackFileTest, FileWithNoUsableTextIsNoPack)
{
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 7919) & 0xFF);
    const auto file = LoadLanguagePackFile(Write("binary.lng", binary));
    EXPECT_FALSE(file.pack.has_value());
    EXPECT_FALSE(file.error.empty());
}

TEST_F(LanguagePackFileTest, EmptyFileIsAnEmptyPack)
{
    const auto file = LoadLanguagePackFile(Write("empty.lng", ""));
    ASSERT_TRUE(file.pack.has_value());
    EXPECT_EQ(file.pack->Size(), 0u);
    EXPECT_EQ(file.error, "");
}

TEST_F(LanguagePackFileTest, ManyProblemsAreListedUpToALimit)
{
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += "broken\n";
    text += "1 = one\n";
    const auto file = LoadLanguagePackFile(Write("many.lng", text));
    ASSERT_TRUE(file.pack.has_value());
    EXPECT_NE(file.error.find("line 20:"), std::string::npos) << file.error;
    EXPECT_EQ(file.error.find("line 21:"), std::string::npos) << file.error;
    EXPECT_NE(file.error.find("30 more problems"), std::string::npos) << file.error;
}

TEST_F(LanguagePackFileTest, FileAboveTheSizeLimitIsRefused)
{
    std::string text;
    while (text.size() <= kMaxPackFileBytes)
        text += "# filler line of a pack that grew far too large\n";
    text += "1 = one\n";
    const auto file = LoadLanguagePackFile(Write("huge.lng", text));
    EXPECT_FALSE(file.pack.has_value());
    EXPECT_NE(file.error.find("larger than"), std::string::npos) << file.error;

    text.resize(kMaxPackFileBytes - 7);
    text += "\n1 = a\n";
    ASSERT_EQ(text.size(), kMaxPackFileBytes);
    const auto atLimit = LoadLanguagePackFile(Write("limit.lng", text));
    ASSERT_TRUE(atLimit.pack.has_value()) << atLimit.error;
    EXPECT_EQ(atLimit.pack->Text(1), "a");
}

} // namespace
} // namespace glyphora
