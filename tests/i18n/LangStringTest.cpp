// Tests of the program-wide pack and the LangString lookup.
#include "i18n/LanguagePack.h"
#include "i18n/TextIds.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace glyphora {
namespace {

LanguagePack PackOf(const std::string& text)
{
    std::vector<PackProblem> problems;
    LanguagePack pack = LanguagePack::Parse(text, problems);
    EXPECT_TRUE(problems.empty());
    return pack;
}

std::size_t CountCharacters(const std::string& utf8)
{
    std::size_t n = 0;
    for (unsigned char c : utf8)
        n += (c & 0xC0u) != 0x80u;
    return n;
}

// Every test starts and ends without a pack in use, whatever the previous test left.
class LangStringTest : public ::testing::Test {
protected:
    void SetUp() override { ReleaseLanguagePack(); }
    void TearDown() override { ReleaseLanguagePack(); }
};

TEST_F(LangStringTest, EmptyWhenNoPackIsLoaded)
{
    EXPECT_FALSE(LanguagePackLoaded());
    EXPECT_EQ(LangString(kTextCommandLineSuccess), "");
    EXPECT_EQ(LangString(kTextLanguagePackVersion), "");
}

TEST_F(LangStringTest, ReadsThePackInUse)
{
    InstallLanguagePack(PackOf("1 = Abbrechen\n602 = %d Symbole gespeichert.\n"));
    EXPECT_TRUE(LanguagePackLoaded());
    EXPECT_EQ(LangString(kTextCancel), "Abbrechen");
    EXPECT_EQ(LangString(kTextCommandLineSuccess), "%d Symbole gespeichert.");
    EXPECT_EQ(LangString(kTextHelpButton), ""); // missing in the pack
    EXPECT_EQ(LangString(-1), "");
    EXPECT_EQ(LangString(65536 + 1), ""); // would wrap to id 1 if truncated to 16 bits

    ReleaseLanguagePack();
    EXPECT_FALSE(LanguagePackLoaded());
    EXPECT_EQ(LangString(kTextCancel), "");
}

TEST_F(LangStringTest, DeliversAtMost1023Characters)
{
    struct Case {
        std::string unit; // one character, 1 to 4 bytes
        std::size_t repeat;
    };
    const Case cases[] = {
        {"a", 1023},
        {"a", 1024},
        {"a", 5000},
        {"\xC3\xA9", 1500},         // é
        {"\xE2\x82\xAC", 1024},     // €
        {"\xF0\x9F\x98\x80", 2000}, // 😀
    };
    for (const auto& c : cases) {
        std::string text;
        for (std::size_t i = 0; i < c.repeat; ++i)
            text += c.unit;
        InstallLanguagePack(PackOf("9 = " + text + "\n"));
        const std::string got = LangString(9);
        const std::size_t expectedChars = std::min<std::size_t>(c.repeat, 1023);
        EXPECT_EQ(CountCharacters(got), expectedChars) << c.unit.size() << "-byte x" << c.repeat;
        EXPECT_EQ(got, text.substr(0, expectedChars * c.unit.size()));
        EXPECT_TRUE(IsValidUtf8(got));
    }
}

TEST_F(LangStringTest, CutKeepsMixedTextWhole)
{
    // 1022 ASCII characters, then a 4-byte character, then more: the cut falls after the
    // 4-byte character, never inside it.
    const std::string text = std::string(1022, 'x') + "\xF0\x9F\x98\x80" + "tail";
    InstallLanguagePack(PackOf("9 = " + text + "\n"));
    EXPECT_EQ(LangString(9), std::string(1022, 'x') + "\xF0\x9F\x98\x80");
}

TEST_F(LangStringTest, LoadingAFileReplacesThePackAndAFailedLoadLeavesNone)
{
    const auto folder = std::filesystem::temp_directory_path() / "glyphora_langstring_test";
    std::filesystem::create_directories(folder);
    const auto path = folder / "test.lng";
    {
        std::ofstream out(path, std::ios::binary);
        out << "1 = from file\n";
    }
    InstallLanguagePack(PackOf("1 = installed\n"));
    std::string error = "unchanged";
    EXPECT_TRUE(LoadLanguagePack(path, &error));
    EXPECT_EQ(error, "");
    EXPECT_EQ(LangString(1), "from file");

    EXPECT_FALSE(LoadLanguagePack(folder / "absent.lng", &error));
    EXPECT_NE(error.find("absent.lng"), std::string::npos) << error;
    EXPECT_FALSE(LanguagePackLoaded());
    EXPECT_EQ(LangString(1), "");
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace glyphora
