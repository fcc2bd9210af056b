// The manual pages and the bash completion against `glyphora-cli --help`: every switch that
// --help lists is documented and completed, the pages document no switch that --help lacks,
// the type words of --help are offered, and the exit statuses of the page are the program's.
#include "app/driver/CommandLineArgs.h"
#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "tests/support/RunTool.h"

#include <gtest/gtest.h>

#include <cctype>
#include <regex>
#include <set>
#include <string>

namespace glyphora {
namespace {

using testing::RunTool;
using testing::ShellQuote;
using Words = std::set<std::string>;

std::string ReadText(const std::string& relativePath)
{
    const auto bytes = ReadWholeFile(std::string(GLYPHORA_SOURCE_DIR) + "/" + relativePath);
    return std::string(bytes.begin(), bytes.end());
}

// The page as it reads: "\-" is a hyphen, and font changes and joins are dropped.
std::string ManText(const std::string& relativePath)
{
    std::string roff = ReadText(relativePath);
    roff = std::regex_replace(roff, std::regex(R"(\\-)"), "-");
    roff = std::regex_replace(roff, std::regex(R"(\\f[BIRP])"), "");
    roff = std::regex_replace(roff, std::regex(R"(\\[c~&])"), "");
    return roff;
}

// The text of one section, from its .SH line to the next.
std::string Section(const std::string& page, const std::string& name)
{
    const std::size_t start = page.find(".SH " + name + "\n");
    if (start == std::string::npos) return {};
    const std::size_t end = page.find("\n.SH ", start + 1);
    return page.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// Every switch written in text: "-" or "--" at the start of a word, letters, and the "=" of
// a switch that takes a value. "non-empty" and "1-based" are no switches.
Words Switches(const std::string& text)
{
    Words found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '-') continue;
        if (i > 0 &&
            (std::isalnum(static_cast<unsigned char>(text[i - 1])) || text[i - 1] == '-' || text[i - 1] == '\\'))
            continue;
        std::size_t j = i + 1;
        if (j < text.size() && text[j] == '-') ++j;
        const std::size_t letters = j;
        while (j < text.size() && std::islower(static_cast<unsigned char>(text[j])))
            ++j;
        if (j == letters) continue;
        if (j < text.size() && text[j] == '=') ++j;
        found.insert(text.substr(i, j - i));
        i = j - 1;
    }
    return found;
}

Words SplitWords(const std::string& text)
{
    Words words;
    const std::regex word(R"([A-Za-z0-9=-]+)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), word); it != std::sregex_iterator(); ++it)
        words.insert(it->str());
    return words;
}

// The words of a `local NAME="..."` list of the completion script.
Words CompletionList(const std::string& name)
{
    const std::string script = ReadText("packaging/bash-completion/glyphora-cli");
    std::smatch match;
    if (!std::regex_search(script, match, std::regex("local " + name + "=\"([^\"]*)\""))) return {};
    return SplitWords(match[1].str());
}

std::string Help()
{
    const auto result = RunTool(ShellQuote(GLYPHORA_CLI_PATH) + " --help");
    EXPECT_EQ(result.status, 0) << result.output;
    return result.output;
}

// The text from the first `from` up to the next `to` after it.
std::string Between(const std::string& text, const std::string& from, const std::string& to)
{
    const std::size_t start = text.find(from);
    if (start == std::string::npos) return {};
    const std::size_t end = text.find(to, start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// The help entry of a switch: up to the next line that starts another switch.
std::string HelpEntry(const std::string& help, const std::string& option)
{
    return Between(help, option, "\n  -");
}

bool IsTypeWord(const std::string& word)
{
    return word == "ico" || MapOutputWords(AsciiUpper(word), "", "").fileType != OutputKind::Icon;
}

// The type words --help names for -desttype=; the rest of its entry is prose.
Words HelpTypeWords(const std::string& help)
{
    Words words;
    std::string entry = HelpEntry(help, "-desttype=");
    entry.erase(0, std::string("-desttype=").size());
    const std::regex word(R"([a-z]+)");
    for (auto it = std::sregex_iterator(entry.begin(), entry.end(), word); it != std::sregex_iterator(); ++it)
        if (IsTypeWord(it->str())) words.insert(it->str());
    return words;
}

TEST(ManPages, HelpListsTheSwitchesOfTheGrammar)
{
    // Guards the extraction below: were it to find nothing, every other check would pass.
    const Words switches = Switches(Help());
    for (const char* expected : {"-e", "-export", "-iconindex=", "-desttype=", "-grayscale", "--help", "--version"})
        EXPECT_TRUE(switches.count(expected)) << expected;
    EXPECT_FALSE(switches.count("-empty")); // from "non-empty"
    EXPECT_FALSE(switches.count("-based")); // from "1-based"
}

TEST(ManPages, CliPageDocumentsExactlyTheSwitchesOfHelp)
{
    const std::string options = Section(ManText("packaging/man/glyphora-cli.1"), "OPTIONS");
    ASSERT_FALSE(options.empty());
    EXPECT_EQ(Switches(options), Switches(Help()));
}

TEST(ManPages, WindowPageNamesEverySwitchOfHelp)
{
    const std::string page = ManText("packaging/man/glyphora.1");
    const Words named = Switches(Section(page, "OPTIONS"));
    for (const std::string& option : Switches(Help())) {
        if (option.starts_with("--")) continue; // --help and --version are the console tool's
        EXPECT_TRUE(named.count(option)) << option << " is missing from glyphora.1";
    }
}

TEST(ManPages, CompletionOffersExactlyTheSwitchesOfHelp)
{
    EXPECT_EQ(CompletionList("switches"), Switches(Help()));
}

TEST(ManPages, TypeWordsOfHelpAreDocumentedAndCompleted)
{
    const Words helpWords = HelpTypeWords(Help());
    ASSERT_GE(helpWords.size(), 9u);
    const Words completed = CompletionList("desttypes");
    const std::string page = ManText("packaging/man/glyphora-cli.1");
    const Words documented = SplitWords(Between(Section(page, "OPTIONS"), "-desttype=", "\n.TP"));
    for (const std::string& word : helpWords) {
        EXPECT_TRUE(completed.count(word)) << word << " is not completed";
        EXPECT_TRUE(documented.count(word)) << word << " is not in the page's -desttype= entry";
    }
}

TEST(ManPages, CompletionOffersOnlyWordsTheProgramKnows)
{
    for (const std::string& word : CompletionList("desttypes"))
        EXPECT_TRUE(IsTypeWord(word)) << word;
    for (const std::string& word : CompletionList("dbasetypes"))
        EXPECT_TRUE(word == "ico" || MapOutputWords("", AsciiUpper(word), "").dbfType != OutputKind::Icon) << word;
    for (const std::string& word : CompletionList("htmltypes"))
        EXPECT_TRUE(word == "png" || MapOutputWords("", "", AsciiUpper(word)).targetImageType != HtmlPictureType::Png)
            << word;
    EXPECT_FALSE(CompletionList("dbasetypes").empty());
    EXPECT_FALSE(CompletionList("htmltypes").empty());
}

TEST(ManPages, ExitStatusesOfThePageAreThoseOfTheProgram)
{
    const std::string statuses = Section(ManText("packaging/man/glyphora-cli.1"), "EXIT STATUS");
    const std::string cli = ShellQuote(GLYPHORA_CLI_PATH);
    struct Case {
        std::string arguments;
        int status;
    };
    const Case cases[] = {
        {"--version", 0},
        {"-e /nonexistent/source.dll out.png", 1},
        {"", 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunTool(cli + " " + c.arguments + " </dev/null").status, c.status) << c.arguments;
        EXPECT_NE(statuses.find(".B " + std::to_string(c.status) + "\n"), std::string::npos) << c.status;
    }
}

} // namespace
} // namespace glyphora
