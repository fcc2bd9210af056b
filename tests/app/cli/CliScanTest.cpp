// glyphora-cli -scan over a folder of our own modules: which files it prints and in what
// order, the minimum count and recursion switches in the command line's grammar, the
// failures it reports, and (when icoutils is installed) wrestool's independent group count
// for every file it prints or leaves out.
#include "tests/app/cli/CliTestSupport.h"
#include "tests/support/PeBuilder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace glyphora {
namespace {

namespace fs = std::filesystem;
using testing::RunCli;
using testing::RunTool;
using testing::ShellQuote;
using Lines = std::vector<std::string>;

Lines SplitLines(const std::string& text)
{
    Lines lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The folder: the two sample modules (6 groups each), modules of 1 and 3 groups written by
// PeBuilder, a module without icons, a text file named like a program, a hidden folder.
class CliScan : public ::testing::Test {
protected:
    void SetUp() override
    {
        const fs::path& root = tmp_.path();
        fs::create_directories(root / "sub" / "deeper");
        fs::create_directories(root / ".hidden");
        fs::copy_file(testing::kSampleModule, root / "glyphora-sample.dll");
        fs::copy_file(testing::kBuildDir / "samples" / "glyphora-sample32.dll", root / "sub" / "Sample32.DLL");
        fs::copy_file(testing::kSampleModule, root / ".hidden" / "hidden.dll");
        WriteModule(root / "one.exe", 1);
        WriteModule(root / "sub" / "deeper" / "three.ocx", 3);
        WriteModule(root / "sub" / "none.dll", 0);
        std::ofstream(root / "readme.exe") << "not a module";
        fs::copy_file(testing::kSampleModule, root / "sample.txt");
    }

    static void WriteModule(const fs::path& path, int groups)
    {
        testing::PeBuilder builder;
        builder.addResource(16, 1, 0x409, {1, 2, 3, 4});
        for (int i = 1; i <= groups; ++i)
            builder.addResource(14, i, 0x409, {0, 0, 1, 0, 0, 0});
        builder.writeTo(path);
    }

    std::string folder() const { return tmp_.path().string(); }
    std::string at(const std::string& relative) const { return (tmp_.path() / relative).string(); }

    testing::TempFolder tmp_;
};

TEST_F(CliScan, PrintsTheFilesWithEnoughIconsInTheFileListOrder)
{
    auto top = RunCli("-scan=" + ShellQuote(folder()));
    ASSERT_EQ(top.status, 0) << top.output;
    EXPECT_EQ(SplitLines(top.output), (Lines{at("glyphora-sample.dll"), at("one.exe")}));

    auto all = RunCli("-scan=" + ShellQuote(folder()) + " -recurse");
    ASSERT_EQ(all.status, 0) << all.output;
    EXPECT_EQ(SplitLines(all.output),
              (Lines{at("glyphora-sample.dll"), at("one.exe"), at("sub/deeper/three.ocx"), at("sub/Sample32.DLL")}));

    auto many = RunCli("-scan=" + ShellQuote(folder()) + " -recurse -mincount=3");
    ASSERT_EQ(many.status, 0) << many.output;
    EXPECT_EQ(SplitLines(many.output),
              (Lines{at("glyphora-sample.dll"), at("sub/deeper/three.ocx"), at("sub/Sample32.DLL")}));

    auto none = RunCli("-scan=" + ShellQuote(folder()) + " -recurse -mincount=7");
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.output, "");
}

TEST_F(CliScan, SwitchesFollowTheCommandLineGrammar)
{
    // "/" in front, capitals, the first non-empty value winning, a trailing separator kept.
    auto result = RunCli("/SCAN=" + ShellQuote(folder() + "/") + " -MinCount=6 -mincount=1 /Recurse");
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(SplitLines(result.output), (Lines{folder() + "/glyphora-sample.dll", folder() + "/sub/Sample32.DLL"}));
}

TEST_F(CliScan, AFolderThatIsMissingOrAMinimumThatIsNoNumberFails)
{
    auto missing = RunCli("-scan=" + ShellQuote(at("missing")) + " 2>&1");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.output.find("no such folder"), std::string::npos) << missing.output;

    auto file = RunCli("-scan=" + ShellQuote(at("one.exe")) + " 2>&1");
    EXPECT_EQ(file.status, 1) << file.output;

    for (const char* bad : {"x", "-1", "2.5", "1x"}) {
        auto result = RunCli("-scan=" + ShellQuote(folder()) + " -mincount=" + bad + " 2>&1");
        EXPECT_EQ(result.status, 1) << bad;
        EXPECT_NE(result.output.find("-mincount"), std::string::npos) << result.output;
    }
}

// wrestool (icoutils) reads the group-icon resources on its own: every printed file has at
// least the minimum, every module left out has fewer.
TEST_F(CliScan, AgreesWithWrestoolsGroupCount)
{
    if (RunTool("command -v wrestool").status != 0) GTEST_SKIP() << "wrestool (icoutils) is not installed";
    const auto groups = [](const fs::path& file) {
        // One line per group ("--type=14 --name=..."); complaints about files that are no
        // modules come on the same stream and are not counted.
        const Lines lines = SplitLines(RunTool("wrestool -l -t14 " + ShellQuote(file.string())).output);
        return static_cast<int>(std::count_if(
            lines.begin(), lines.end(), [](const std::string& line) { return line.rfind("--type=14 ", 0) == 0; }));
    };
    for (int minCount : {1, 3, 6}) {
        auto result = RunCli("-scan=" + ShellQuote(folder()) + " -recurse -mincount=" + std::to_string(minCount));
        ASSERT_EQ(result.status, 0);
        const Lines printed = SplitLines(result.output);
        for (const auto& entry : fs::recursive_directory_iterator(tmp_.path())) {
            const std::string path = entry.path().string();
            const std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() || path.find("/.hidden/") != std::string::npos || ext == ".txt") continue;
            const bool listed = std::find(printed.begin(), printed.end(), path) != printed.end();
            EXPECT_EQ(listed, groups(entry.path()) >= minCount) << path << " at minimum " << minCount;
        }
    }
}

} // namespace
} // namespace glyphora
