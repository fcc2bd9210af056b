// Tests of the encodings help files use, and of the #SYSTEM object of a help file.
#include "i18n/HelpFileInfo.h"
#include "i18n/HelpText.h"

#include "tests/support/RunTool.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace glyphora {
namespace {

TEST(HelpText, Windows1251AgreesWithIconv)
{
    // Every byte from 0x80 on, except 0x98 which the code page leaves unassigned, decoded by
    // iconv as an independent reader.
    std::string bytes;
    for (int b = 0x80; b <= 0xFF; ++b)
        if (b != 0x98) bytes += static_cast<char>(b);
    testing::TempFolder folder;
    const auto input = folder.path() / "cp1251.txt";
    std::ofstream(input, std::ios::binary) << bytes;
    const auto result = testing::RunTool("iconv -f CP1251 -t UTF-8 " + testing::ShellQuote(input.string()));
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(ToUtf8(bytes, HelpCharset::Windows1251), result.output);
    EXPECT_EQ(ToUtf8("\x98", HelpCharset::Windows1251), "\xEF\xBF\xBD");
}

TEST(HelpText, Windows1252AgreesWithIconv)
{
    const std::vector<int> unassigned = {0x81, 0x8D, 0x8F, 0x90, 0x9D};
    std::string bytes;
    for (int b = 0x80; b <= 0xFF; ++b)
        if (std::find(unassigned.begin(), unassigned.end(), b) == unassigned.end()) bytes += static_cast<char>(b);
    testing::TempFolder folder;
    const auto input = folder.path() / "cp1252.txt";
    std::ofstream(input, std::ios::binary) << bytes;
    const auto result = testing::RunTool("iconv -f CP1252 -t UTF-8 " + testing::ShellQuote(input.string()));
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(ToUtf8(bytes, HelpCharset::Windows1252), result.output);
}

TEST(HelpText, BrokenUtf8BecomesReplacementCharacters)
{
    EXPECT_EQ(ToUtf8("ok \xD0\x97", HelpCharset::Utf8), "ok \xD0\x97");
    EXPECT_EQ(ToUtf8("a\xD0", HelpCharset::Utf8), "a\xEF\xBF\xBD");                               // cut sequence
    EXPECT_EQ(ToUtf8("\xC0\xAF", HelpCharset::Utf8), "\xEF\xBF\xBD\xEF\xBF\xBD");                 // overlong
    EXPECT_EQ(ToUtf8("\xED\xA0\x80", HelpCharset::Utf8), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"); // surrogate
}

TEST(HelpText, DeclaredCharsets)
{
    const std::pair<const char*, std::optional<HelpCharset>> cases[] = {
        {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">", HelpCharset::Utf8},
        {"<META CHARSET=\"UTF-8\">", HelpCharset::Utf8},
        {"<meta charset='windows-1251'>", HelpCharset::Windows1251},
        {"content=\"text/html; charset=cp1251\"", HelpCharset::Windows1251},
        {"charset=ISO-8859-1", HelpCharset::Windows1252},
        {"charset=koi8-u", std::nullopt},
        {"<html><body>no declaration</body></html>", std::nullopt},
    };
    for (const auto& [text, charset] : cases)
        EXPECT_EQ(DeclaredCharset(text), charset) << text;
    // Only the head counts.
    EXPECT_EQ(DeclaredCharset(std::string(5000, ' ') + "charset=utf-8"), std::nullopt);
}

TEST(HelpText, LanguagesThatUseCyrillicCodePages)
{
    EXPECT_EQ(CharsetOfLanguage(0x0422), HelpCharset::Windows1251); // Ukrainian
    EXPECT_EQ(CharsetOfLanguage(0x0419), HelpCharset::Windows1251); // Russian
    EXPECT_EQ(CharsetOfLanguage(0x0402), HelpCharset::Windows1251); // Bulgarian
    EXPECT_EQ(CharsetOfLanguage(0x0409), HelpCharset::Windows1252); // English
    EXPECT_EQ(CharsetOfLanguage(0x0408), HelpCharset::Windows1252); // Greek is read as 1252 here
    EXPECT_EQ(CharsetOfLanguage(0), HelpCharset::Windows1252);
}

// A #SYSTEM object: version 3, then (code, length, data) records.
class SystemObject {
public:
    SystemObject() { Put32(3); }
    SystemObject& Record(std::uint16_t code, const std::string& data)
    {
        Put16(code);
        Put16(static_cast<std::uint16_t>(data.size()));
        bytes.insert(bytes.end(), data.begin(), data.end());
        return *this;
    }
    void Put16(std::uint16_t v)
    {
        bytes.push_back(std::uint8_t(v));
        bytes.push_back(std::uint8_t(v >> 8));
    }
    void Put32(std::uint32_t v)
    {
        Put16(std::uint16_t(v));
        Put16(std::uint16_t(v >> 16));
    }
    std::vector<std::uint8_t> bytes;
};

std::string Lcid(std::uint32_t lcid)
{
    return {char(lcid & 0xFF), char((lcid >> 8) & 0xFF), 0, 0, 0, 0, 0, 0};
}

TEST(HelpFileInfo, RecordsOfTheSystemObject)
{
    SystemObject system;
    system.Record(10, std::string(4, '\0'))
        .Record(4, Lcid(0x0422))
        .Record(2, std::string("contents.htm\0", 13))
        .Record(3, std::string("\xC4\xEE\xE2\xB3\xE4\xEA\xE0 Glyphora\0", 18)) // "Довідка Glyphora" in 1251
        .Record(0, std::string("ukrainian.hhc\0", 14))
        .Record(1, std::string("ukrainian.hhk\0", 14));
    const HelpFileInfo info = ParseHelpSystemObject(system.bytes);
    EXPECT_EQ(info.lcid, 0x0422u);
    EXPECT_EQ(info.defaultPage, "/contents.htm");
    EXPECT_EQ(info.contentsFile, "/ukrainian.hhc");
    EXPECT_EQ(info.indexFile, "/ukrainian.hhk");
    EXPECT_EQ(info.title, "Довідка Glyphora");
}

TEST(HelpFileInfo, DamagedObjectsGiveWhatWasReadBeforeTheDamage)
{
    SystemObject system;
    system.Record(2, "first.htm").Record(3, "Title");
    system.Put16(0);   // contents file record ...
    system.Put16(500); // ... claiming more bytes than follow
    system.bytes.push_back('x');
    const HelpFileInfo info = ParseHelpSystemObject(system.bytes);
    EXPECT_EQ(info.defaultPage, "/first.htm"); // a record without NUL ends at its length
    EXPECT_EQ(info.title, "Title");
    EXPECT_EQ(info.contentsFile, "");

    EXPECT_EQ(ParseHelpSystemObject({}).title, "");
    const std::uint8_t tiny[] = {3, 0, 0};
    EXPECT_EQ(ParseHelpSystemObject(tiny).defaultPage, "");
}

TEST(HelpFileInfo, RecordCountIsCapped)
{
    SystemObject system;
    for (int i = 0; i < kMaxHelpSystemRecords; ++i)
        system.Record(99, "");
    system.Record(3, "Too late");
    EXPECT_EQ(ParseHelpSystemObject(system.bytes).title, "");
}

} // namespace
} // namespace glyphora
