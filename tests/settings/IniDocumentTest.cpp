// The INI text form: exact bytes of what we write, tolerance in what we read, and in-place
// replacement that keeps what a user wrote into the file.
#include "settings/IniDocument.h"

#include <gtest/gtest.h>

namespace glyphora {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

TEST(IniDocument, WritesBomCrLfAndOneEmptyLineAfterEachSection)
{
    IniDocument document;
    document.SetValue("Settings", "Run", "1");
    document.SetValue("Settings", "Language", "0");
    document.SetValue("Recent", "0", "/home/ann/app.exe");
    EXPECT_EQ(document.Serialize(), std::string(kBom) + "[Settings]\r\nRun=1\r\nLanguage=0\r\n\r\n"
                                                        "[Recent]\r\n0=/home/ann/app.exe\r\n\r\n");
    EXPECT_EQ(IniDocument().Serialize(), kBom);
}

TEST(IniDocument, ReadsAnyLineEndWithOrWithoutBom)
{
    for (std::string_view text :
         {"[A]\r\nx=1\r\ny=2\r\n", "[A]\nx=1\ny=2", "[A]\rx=1\ry=2\r", "\xEF\xBB\xBF[A]\n\n\nx=1\r\n  y=2  \n"}) {
        const IniDocument document = IniDocument::Parse(text);
        EXPECT_EQ(document.Value("A", "x"), "1") << text;
        EXPECT_EQ(document.Value("A", "y"), "2") << text;
        EXPECT_EQ(document.SectionNames(), std::vector<std::string>{"A"}) << text;
    }
}

TEST(IniDocument, NamesIgnoreCaseAndAValueIsTheTextAfterTheFirstEquals)
{
    const IniDocument document = IniDocument::Parse("[settings]\nEXPDBFFIELDNAME=a=b\nKey = value\nempty=\n");
    EXPECT_EQ(document.Value("Settings", "ExpDBFFieldName"), "a=b");
    EXPECT_EQ(document.Value("SETTINGS", "key"), " value");
    EXPECT_EQ(document.Value("settings", "empty"), "");
    EXPECT_EQ(document.Value("settings", "missing"), std::nullopt);
    EXPECT_EQ(document.Value("Other", "Key"), std::nullopt);
}

TEST(IniDocument, ListsKeysInFileOrderAndAnswersTheFirstOfTwins)
{
    const IniDocument document = IniDocument::Parse("[Recent]\n5=a\n0=b\n5=c\n; a comment\n[Recent]\n7=d\n");
    EXPECT_EQ(document.Keys("recent"), (std::vector<std::string>{"5", "0", "5", "7"}));
    EXPECT_EQ(document.Value("Recent", "5"), "a");
    EXPECT_EQ(document.SectionNames().size(), 1u) << "a repeated section joins the first";
}

TEST(IniDocument, ReplacesInPlaceAppendsNewKeysAndKeepsForeignLines)
{
    IniDocument document = IniDocument::Parse(
        "; written by hand\n[Settings]\n; keep me\nrun=4\nUnknown=x\n[Mine]\nA=1\n[Placement]\nLeft=3\n");
    document.SetValue("Settings", "Run", "5");
    document.SetValue("Settings", "Language", "2");
    document.SetValue("Placement", "Top", "9");
    EXPECT_EQ(document.Serialize(), std::string(kBom) +
                                        "; written by hand\r\n\r\n"
                                        "[Settings]\r\n; keep me\r\nrun=5\r\nUnknown=x\r\nLanguage=2\r\n\r\n"
                                        "[Mine]\r\nA=1\r\n\r\n"
                                        "[Placement]\r\nLeft=3\r\nTop=9\r\n\r\n");
}

TEST(IniDocument, AnErasedSectionReturnsAtTheEnd)
{
    IniDocument document = IniDocument::Parse("[Settings]\nRun=1\n[Recent]\n0=a\n[Placement]\nLeft=0\n");
    document.EraseSection("RECENT");
    EXPECT_FALSE(document.HasSection("Recent"));
    document.SetValue("Recent", "0", "b");
    EXPECT_EQ(document.SectionNames(), (std::vector<std::string>{"Settings", "Placement", "Recent"}));
}

TEST(IniDocument, ALineBreakInAValueCannotStartANewLine)
{
    IniDocument document;
    document.SetValue("Recent", "0", "/tmp/a\r\n[Settings]\nRun=99");
    const IniDocument reread = IniDocument::Parse(document.Serialize());
    EXPECT_EQ(reread.SectionNames(), std::vector<std::string>{"Recent"});
    EXPECT_EQ(reread.Value("Recent", "0"), "/tmp/a  [Settings] Run=99");
}

TEST(IniDocument, RoundTripsItsOwnText)
{
    IniDocument document;
    document.SetValue("Settings", "ExpDBFFieldName", "Ікона");
    document.SetValue("Recent", "1", "C:\\Program Files\\Tools\\app.exe");
    document.SetValue("Recent", "0", "/home/ann/ελληνικά.dll");
    const std::string text = document.Serialize();
    EXPECT_EQ(IniDocument::Parse(text).Serialize(), text);
    EXPECT_EQ(IniDocument::Parse(text).Value("Settings", "ExpDBFFieldName"), "Ікона");
}

TEST(IniDocument, ArbitraryBytesNeverBreakTheReader)
{
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += static_cast<char>((i * 7919) % 256);
    const IniDocument document = IniDocument::Parse(junk);
    const std::string text = document.Serialize();
    EXPECT_EQ(IniDocument::Parse(text).Serialize(), text) << "what we write from junk reads back as itself";
}

} // namespace
} // namespace glyphora
