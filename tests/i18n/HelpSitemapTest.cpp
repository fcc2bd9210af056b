// Tests of the sitemap reader that reads help contents and index files.
#include "i18n/HelpSitemap.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace glyphora {
namespace {

std::string ReadSource(const char* relative)
{
    std::ifstream in(std::string(GLYPHORA_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Entry(const std::string& name, const std::string& local)
{
    return "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" + name +
           "\"><param name=\"Local\" value=\"" + local + "\"></OBJECT>";
}

TEST(HelpSitemap, OurEnglishContentsReadAsATree)
{
    const Sitemap contents = ParseSitemap(ReadSource("i18n/help/english/english.hhc"));
    ASSERT_EQ(contents.entries.size(), 1u);
    const SitemapEntry& top = contents.entries[0];
    EXPECT_EQ(top.name, "Glyphora Help");
    EXPECT_EQ(top.page, "/contents.htm");
    ASSERT_EQ(top.children.size(), 7u);
    EXPECT_EQ(top.children[1].name, "Saving and exporting");
    ASSERT_EQ(top.children[1].children.size(), 1u);
    EXPECT_EQ(top.children[1].children[0].name, "Export options");
    EXPECT_EQ(top.children[1].children[0].page, "/export.htm");
    EXPECT_EQ(contents.count, 9u);
    EXPECT_FALSE(contents.truncated);
}

TEST(HelpSitemap, PagesInReadingOrderEachOnce)
{
    const Sitemap contents = ParseSitemap(ReadSource("i18n/help/english/english.hhc"));
    const std::vector<std::string> expected = {
        "/contents.htm",  "/opening-files.htm", "/saving.htm",   "/export.htm",   "/printing-icons.htm",
        "/find-pane.htm", "/command-line.htm",  "/settings.htm", "/keyboard.htm",
    };
    EXPECT_EQ(SitemapPages(contents), expected);

    const Sitemap index = ParseSitemap(ReadSource("i18n/help/english/english.hhk"));
    const std::vector<std::string> pages = SitemapPages(index);
    EXPECT_EQ(pages.size(), expected.size()); // the index reaches every page, "#switches" folded
}

TEST(HelpSitemap, HtmlSpellingsThatOccurInTheWild)
{
    const std::string text =
        "<!-- <UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"commented out\"></OBJECT></UL> -->"
        "<object type='text/site properties'><param name='ImageType' value='Folder'></object>"
        "<ul>\n<li><Object Type=text/sitemap><PARAM NAME=name VALUE=Plain></object>"
        "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"A &amp; B &lt;&#1047;&#x416;&gt; &quot;q&quot;\">"
        "<param name=\"Local\" value=\"sub\\page.htm#part\"></object>"
        "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"first\"><param name=\"Name\" value=\"second\">"
        "<param name=\"Local\" value=\"one.htm\"><param name=\"Local\" value=\"two.htm\"></object>"
        "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"bad &#xZZ; &bogus; &\"></object>"
        "</ul>";
    const Sitemap sitemap = ParseSitemap(text);
    ASSERT_EQ(sitemap.entries.size(), 4u);
    EXPECT_EQ(sitemap.entries[0].name, "Plain");
    EXPECT_EQ(sitemap.entries[0].page, "");
    EXPECT_EQ(sitemap.entries[1].name, "A & B <\xD0\x97\xD0\x96> \"q\"");
    EXPECT_EQ(sitemap.entries[1].page, "/sub/page.htm#part");
    EXPECT_EQ(sitemap.entries[2].name, "first");
    EXPECT_EQ(sitemap.entries[2].page, "/one.htm");
    EXPECT_EQ(sitemap.entries[3].name, "bad &#xZZ; &bogus; &");
}

TEST(HelpSitemap, ListsWithoutEntriesBeforeThemContinueTheOuterList)
{
    const std::string text = "<UL><UL>" + Entry("a", "a.htm") + "</UL>" + Entry("b", "b.htm") + "<UL>" +
                             Entry("b1", "b1.htm") + "</UL></UL>" + Entry("after", "c.htm");
    const Sitemap sitemap = ParseSitemap(text);
    ASSERT_EQ(sitemap.entries.size(), 3u);
    EXPECT_EQ(sitemap.entries[0].name, "a");
    EXPECT_EQ(sitemap.entries[1].name, "b");
    ASSERT_EQ(sitemap.entries[1].children.size(), 1u);
    EXPECT_EQ(sitemap.entries[1].children[0].name, "b1");
    EXPECT_EQ(sitemap.entries[2].name, "after"); // an entry after the last list still counts
}

TEST(HelpSitemap, DeclaredAndGuessedCharsets)
{
    // "Зміст" in windows-1251 bytes.
    const std::string cp1251Name = "\xC7\xEC\xB3\xF1\xF2";
    const std::string declared = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\"><UL>" +
                                 Entry(cp1251Name, "x.htm") + "</UL>";
    EXPECT_EQ(ParseSitemap(declared).entries.at(0).name, "Зміст");

    const std::string undeclared = "<UL>" + Entry(cp1251Name, "x.htm") + "</UL>";
    EXPECT_EQ(ParseSitemap(undeclared, 0x0422).entries.at(0).name, "Зміст"); // Ukrainian file
    EXPECT_EQ(ParseSitemap(undeclared, 0x0409).entries.at(0).name, "Çì³ñò"); // English file: 1252
    EXPECT_EQ(ParseSitemap("<UL>" + Entry("Зміст", "x.htm") + "</UL>", 0x0409).entries.at(0).name, "Зміст");
}

TEST(HelpSitemap, NestingIsCappedAndTheRestStaysInTheDeepestList)
{
    std::string text;
    for (int level = 0; level < 100; ++level)
        text += Entry("level" + std::to_string(level), "p.htm") + "<UL>";
    const Sitemap sitemap = ParseSitemap(text);
    EXPECT_TRUE(sitemap.truncated);
    EXPECT_EQ(sitemap.count, 100u); // nothing is lost, the deep entries are only flattened
    std::size_t depth = 0;
    for (const std::vector<SitemapEntry>* list = &sitemap.entries; !list->empty(); list = &list->back().children)
        ++depth;
    EXPECT_EQ(depth, kMaxSitemapDepth);
}

TEST(HelpSitemap, EntryCountIsCapped)
{
    std::string text = "<UL>";
    for (std::size_t i = 0; i < kMaxSitemapEntries + 50; ++i)
        text += Entry("e", "e.htm");
    const Sitemap sitemap = ParseSitemap(text);
    EXPECT_TRUE(sitemap.truncated);
    EXPECT_EQ(sitemap.count, kMaxSitemapEntries);
    EXPECT_EQ(sitemap.entries.size(), kMaxSitemapEntries);
}

TEST(HelpSitemap, LongTextsAreCutAndBrokenMarkupEndsQuietly)
{
    const std::string longName(5000, 'n');
    const Sitemap sitemap = ParseSitemap("<UL>" + Entry(longName, "x.htm"));
    ASSERT_EQ(sitemap.entries.size(), 1u);
    EXPECT_EQ(sitemap.entries[0].name.size(), kMaxSitemapText);

    const char* broken[] = {
        "",
        "<",
        "<UL",
        "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"unterminated",
        "</UL></UL></UL>",
        "<!-- never closed",
        "<object type=text/sitemap><param name=Name value=x>",
        "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=x></OBJECT></OBJECT></UL>",
    };
    for (const char* text : broken) {
        const Sitemap result = ParseSitemap(text);
        EXPECT_LE(result.count, 1u) << text;
    }
}

TEST(HelpSitemap, PagePaths)
{
    const std::pair<const char*, const char*> cases[] = {
        {"export.htm", "/export.htm"},
        {"/export.htm", "/export.htm"},
        {"  sub\\page.htm#a  ", "/sub/page.htm#a"},
        {"english.chm::/export.htm", "/export.htm"},
        {"ms-its:C:\\Help\\english.chm::/sub/x.htm", "/sub/x.htm"},
        {"mk:@MSITStore:english.chm::x.htm", "/x.htm"},
        {"https://example.org/page", "https://example.org/page"},
        {"mailto:someone@example.org", "mailto:someone@example.org"},
        {"C:\\x.htm", "/C:/x.htm"}, // a drive is no scheme; it stays a (useless) inner path
        {"", ""},
    };
    for (const auto& [local, page] : cases)
        EXPECT_EQ(HelpPagePath(local), page) << local;
}

} // namespace
} // namespace glyphora
