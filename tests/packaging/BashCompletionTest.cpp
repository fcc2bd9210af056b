// The bash completion of glyphora-cli, run in bash as bash-completion would call it: switches,
// the type words after "=" (split off by bash or not), switches written with "/" or capitals,
// and file names for the positional arguments.
#include "tests/support/RunTool.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace glyphora {
namespace {

using testing::RunTool;
using testing::ShellQuote;

// The replies for the words of a command line whose last word is being completed, one line
// each, sorted.
std::string Complete(const std::vector<std::string>& words, const std::string& folder = ".")
{
    std::string array;
    for (const auto& word : words)
        array += " " + ShellQuote(word);
    const std::string script = "cd " + ShellQuote(folder) + " && source " +
                               ShellQuote(GLYPHORA_SOURCE_DIR "/packaging/bash-completion/glyphora-cli") +
                               " && COMP_WORDS=(" + array + ") && COMP_CWORD=" + std::to_string(words.size() - 1) +
                               " && _glyphora_cli && printf '%s\\n' \"${COMPREPLY[@]}\" | LC_ALL=C sort";
    const auto result = RunTool("bash --norc --noprofile -c " + ShellQuote(script));
    EXPECT_EQ(result.status, 0) << result.output;
    return result.output;
}

TEST(BashCompletion, CompletesSwitchesTypeWordsAndFiles)
{
    struct Case {
        std::vector<std::string> words;
        const char* replies;
    };
    const Case cases[] = {
        {{"glyphora-cli", "-icon"}, "-iconindex=\n-iconname=\n-iconset\n-iconsizesmall\n-icontheme\n"},
        {{"glyphora-cli", "--v"}, "--version\n"},
        {{"glyphora-cli", "-desttype", "=", "p"}, "pdf\npng\n"},
        {{"glyphora-cli", "-desttype", "="},
         "bitmap\nbmp\ndbase\ndbf\nemf\ngif\nhtm\nhtml\nico\njpeg\njpg\nmetafile\npdf\npng\nwmf\nxlsx\n"},
        {{"glyphora-cli", "-desttype", "=", "x"}, "xlsx\n"},
        {{"glyphora-cli", "/DestType", "=", "J"}, "jpeg\njpg\n"},
        {{"glyphora-cli", "-desttype=h"}, "-desttype=htm\n-desttype=html\n"},
        {{"glyphora-cli", "-htmldestimagetype", "=", "g"}, "gif\n"},
        {{"glyphora-cli", "-dbasedesttype", "=", "i"}, "ico\n"},
        {{"glyphora-cli", "-iconindex", "=", ""}, "\n"},
        {{"glyphora-cli", "-e", "sample", "-x"}, "\n"},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const auto& w : c.words)
            line += w + " ";
        EXPECT_EQ(Complete(c.words), c.replies) << line;
    }
}

TEST(BashCompletion, CompletesFileNamesForSourceAndDestination)
{
    testing::TempFolder folder;
    std::ofstream(folder.path() / "library one.dll") << "x";
    std::ofstream(folder.path() / "library two.ocx") << "x";
    std::ofstream(folder.path() / "other.ico") << "x";
    EXPECT_EQ(Complete({"glyphora-cli", "-e", "lib"}, folder.path().string()), "library one.dll\nlibrary two.ocx\n");
    EXPECT_EQ(Complete({"glyphora-cli", "-e", "library one.dll", "o"}, folder.path().string()), "other.ico\n");
}

} // namespace
} // namespace glyphora
