// glyphora-cli's exit status and messages, case by case: exit 0 only when something was
// saved as asked; otherwise a non-zero status, nothing on stdout and exactly one line on
// stderr that says why, and nothing of ours left behind. Unknown values keep the rules of
// the driver with a warning on stderr.
#include "platform/AtomicFile.h"
#include "tests/app/cli/CliTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include <unistd.h>

namespace glyphora {
namespace {

namespace fs = std::filesystem;
using testing::ShellQuote;

std::vector<std::string> Names(const fs::path& dir)
{
    std::vector<std::string> names;
    if (!fs::is_directory(dir)) return names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::size_t Lines(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// What a test folder holds for the cases: the sample module, a text file without icons, an
// empty .ico, a module nobody but its owner may read, and an output folder.
class CliFailureTest : public ::testing::Test {
protected:
    CliFailureTest()
    {
        fs::permissions(dir_.path(), fs::perms::all); // the unprivileged runs below write here
        fs::copy_file(testing::kSampleModule, dir_.path() / "app.dll");
        std::ofstream(dir_.path() / "notes.txt") << "no icons in here\n";
        std::ofstream(dir_.path() / "empty.ico").close();
        fs::copy_file(testing::kSampleModule, dir_.path() / "locked.dll");
        fs::permissions(dir_.path() / "locked.dll", fs::perms::none);
    }

    // "{T}" stands for the folder.
    std::string Expand(std::string s) const
    {
        for (auto p = s.find("{T}"); p != std::string::npos; p = s.find("{T}"))
            s.replace(p, 3, dir_.path().string());
        return s;
    }

    testing::SplitToolResult Run(const std::string& prefix, const std::vector<std::string>& args) const
    {
        std::string line = prefix + ShellQuote(GLYPHORA_CLI_PATH);
        for (const auto& a : args)
            line += " " + ShellQuote(Expand(a));
        return testing::RunToolSplit(line + " < /dev/null");
    }

    testing::TempFolder dir_;
};

struct Case {
    const char* name;
    std::string prefix; // shell commands before the tool (limits, another user)
    std::vector<std::string> args;
    int status;
    std::string err; // expected in stderr ("" = stderr empty)
    std::string out; // stdout exactly
    std::function<void(const fs::path&)> check;
};

TEST_F(CliFailureTest, EachFailureHasItsStatusAndOneLineThatSaysWhy)
{
    // As root a mode of 000 does not stop reading: the unreadable case runs as nobody then.
    const std::string unprivileged = ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const std::string noIcons = "Unable to load or find icons in this file.";
    const auto nothingAt = [](std::vector<std::string> names) {
        return [names](const fs::path& dir) {
            for (const auto& n : names)
                EXPECT_FALSE(fs::exists(dir / n)) << n << " was left behind";
        };
    };
    const std::vector<Case> cases = {
        {"a sound export says how many icons it saved and nothing else",
         "",
         {"-e", "{T}/app.dll", "{T}/out.png", "-iconindex=2"},
         0,
         "",
         "Done: 1 icon(s) saved.\n",
         [](const fs::path& dir) { EXPECT_TRUE(fs::exists(dir / "out.png")); }},
        {"the disk fills during all groups as .ico (a file-size limit stands in for it)",
         "trap '' XFSZ; ulimit -f 60; exec ",
         {"-e", "{T}/app.dll", "{T}/icons", "-iconindex=0", "-desttype=ico"},
         1,
         "Cannot write '{T}/icons/ico_app_dll0002.ico': File too large",
         "",
         [](const fs::path& dir) {
             // The group written before the failure is complete; the failing one left nothing.
             EXPECT_EQ(Names(dir / "icons"), std::vector<std::string>{"ico_app_dll0001.ico"});
             EXPECT_EQ(
                 testing::RunTool("icotool -l " + ShellQuote((dir / "icons" / "ico_app_dll0001.ico").string())).status,
                 0);
         }},
        {"an unreadable source is no file without icons",
         unprivileged,
         {"-e", "{T}/locked.dll", "{T}/locked.png"},
         1,
         "Cannot read '{T}/locked.dll': Permission denied",
         "",
         nothingAt({"locked.png"})},
        {"an empty .ico source exported as .ico",
         "",
         {"-e", "{T}/empty.ico", "{T}/copy.ico"},
         1,
         "'{T}/empty.ico' is not an icon file: it holds no icon images.",
         "",
         nothingAt({"copy.ico"})},
        {"an empty .ico source saved as a folder of icon files",
         "",
         {"-e", "{T}/empty.ico", "{T}/dir", "-iconindex=0"},
         1,
         noIcons,
         "",
         nothingAt({"dir"})},
        {"no icons: a folder of pictures",
         "",
         {"-e", "{T}/notes.txt", "{T}/dir", "-iconindex=0", "-desttype=png"},
         1,
         noIcons + " {T}/notes.txt",
         "",
         nothingAt({"dir"})},
        {"no icons: HTML",
         "",
         {"-e", "{T}/notes.txt", "{T}/out.htm"},
         1,
         noIcons,
         "",
         nothingAt({"out.htm", "out_files"})},
        {"no icons: dBase",
         "",
         {"-e", "{T}/notes.txt", "{T}/out.dbf"},
         1,
         noIcons,
         "",
         nothingAt({"out.dbf", "out.dbt"})},
        {"no icons: PDF", "", {"-e", "{T}/notes.txt", "{T}/out.pdf"}, 1, noIcons, "", nothingAt({"out.pdf"})},
        {"a file without groups as one .ico",
         "",
         {"-e", "{T}/notes.txt", "{T}/g.ico"},
         1,
         noIcons,
         "",
         nothingAt({"g.ico"})},
        {"icon N missing",
         "",
         {"-e", "{T}/app.dll", "{T}/x.png", "-iconindex=99"},
         1,
         "Icon 99 does not exist in '{T}/app.dll'",
         "",
         nothingAt({"x.png"})},
        {"icon N missing as an icon file",
         "",
         {"-e", "{T}/app.dll", "{T}/x.ico", "-iconindex=7"},
         1,
         "Icon 7 does not exist in '{T}/app.dll': it holds 6 icon(s).",
         "",
         nothingAt({"x.ico"})},
        {"the destination folder is missing",
         "",
         {"-e", "{T}/app.dll", "{T}/none/x.png"},
         1,
         "Cannot create '{T}/none/x.png': No such file or directory",
         "",
         nothingAt({"none"})},
        {"the HTML picture folder's name is taken by a file",
         "",
         {"-e", "{T}/app.dll", "{T}/taken.htm"},
         1,
         "Cannot create the folder '{T}/taken_files': a file of that name is in the way.",
         "",
         [](const fs::path& dir) {
             EXPECT_FALSE(fs::exists(dir / "taken.htm"));
             EXPECT_EQ(testing::ReadFileText(dir / "taken_files"), "mine");
         }},
        {"an unknown -iconindex= value is ignored with a warning",
         "",
         {"-e", "{T}/app.dll", "{T}/w.png", "-iconindex=abc"},
         0,
         "warning: Unrecognised -iconindex= value 'abc': it is ignored.",
         "Done: 1 icon(s) saved.\n",
         [](const fs::path& dir) { EXPECT_TRUE(fs::exists(dir / "w.png")); }},
        {"an unknown -desttype= value writes an icon file with a warning",
         "",
         {"-e", "{T}/app.dll", "{T}/w", "-desttype=xyz"},
         0,
         "warning: Unrecognised -desttype= value 'xyz': the icons are written as icon files.",
         "Done: 9 icon(s) saved.\n",
         [](const fs::path& dir) { EXPECT_TRUE(fs::exists(dir / "w.ico")); }},
    };
    std::ofstream(dir_.path() / "taken_files") << "mine";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto run = Run(c.prefix, c.args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_EQ(run.out, c.out);
        if (c.err.empty()) {
            EXPECT_EQ(run.err, "");
        } else {
            EXPECT_NE(run.err.find(Expand(c.err)), std::string::npos) << run.err;
            EXPECT_EQ(Lines(run.err), 1u) << run.err;
            EXPECT_EQ(run.err.rfind("glyphora-cli: ", 0), 0u) << run.err;
        }
        c.check(dir_.path());
        for (const auto& name : Names(dir_.path()))
            EXPECT_FALSE(IsTemporaryOutputName(name)) << name;
    }
}

} // namespace
} // namespace glyphora
