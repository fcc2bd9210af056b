// The folder scan over folders of modules written by PeBuilder (and NeBuilder): the minimum count, the masks,
// recursion and walk order, stopping, files and folders that vanish or cannot be read, and
// links that loop.
#include "scan/FolderScan.h"

#include "scan/PathJoin.h"
#include "tests/support/NeBuilder.h"
#include "tests/support/PeBuilder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

namespace glyphora {
namespace {

namespace fs = std::filesystem;
using testing::PeBuilder;
using Strings = std::vector<std::string>;

constexpr std::uint16_t kGroupIcon = 14;
const std::string kSep(1, static_cast<char>(fs::path::preferred_separator));

// A module with the given number of icon groups (group bytes need not be images: counting
// reads only the resource directory).
void WriteModule(const fs::path& path, int groups)
{
    fs::create_directories(path.parent_path());
    PeBuilder builder(PeBuilder::Bits::Pe32Plus);
    builder.addResource(16, 1, 0x409,
                        {1, 2, 3, 4}); // a version-like resource, so a module without icons still has a tree
    for (int i = 1; i <= groups; ++i)
        builder.addResource(kGroupIcon, i, 0x409, {0, 0, 1, 0, 0, 0});
    builder.writeTo(path);
}

void WriteText(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

Strings Scan(const fs::path& root, int minCount, bool recurse, std::string_view masks = kIconFileMasks,
             const ScanOptions& options = {})
{
    Strings list{"left over from an earlier scan"};
    EXPECT_EQ(ScanForIconFiles(root, root, masks, minCount, recurse, list, {}, options), ScanOutcome::Finished);
    return list;
}

struct MinimumCase {
    int minCount;
    Strings listed;
};

class MinimumCount : public ::testing::TestWithParam<MinimumCase> {};

// Modules with 0 to 3 groups, a text file named like a library and a folder named like one.
TEST_P(MinimumCount, ListsTheFilesWithAtLeastThatManyIcons)
{
    const testing::TempFolder tmp;
    WriteModule(tmp.path() / "none.dll", 0);
    WriteModule(tmp.path() / "one.dll", 1);
    WriteModule(tmp.path() / "two.exe", 2);
    WriteModule(tmp.path() / "three.ocx", 3);
    WriteText(tmp.path() / "text.dll", "not a module");
    fs::create_directory(tmp.path() / "folder.dll");

    Strings listed = Scan(tmp.path(), GetParam().minCount, false);
    SortLikeFileList(listed);
    EXPECT_EQ(listed, GetParam().listed);
}

INSTANTIATE_TEST_SUITE_P(
    FolderScan, MinimumCount,
    ::testing::Values(MinimumCase{1, {"one.dll", "three.ocx", "two.exe"}}, MinimumCase{2, {"three.ocx", "two.exe"}},
                      MinimumCase{3, {"three.ocx"}}, MinimumCase{4, {}},
                      // 0 takes every matching entry, the folder included (it counts 0).
                      MinimumCase{0, {"folder.dll", "none.dll", "one.dll", "text.dll", "three.ocx", "two.exe"}}));

TEST(FolderScan, EachPatternListsItsMatchesInTurnIgnoringCase)
{
    const testing::TempFolder tmp;
    for (const char* name : {"b.DLL", "a.dll", "c.Exe", "d.ocx", "e.dll.bak", "f.txt", "g.dl"})
        WriteModule(tmp.path() / name, 1);

    EXPECT_EQ(Scan(tmp.path(), 1, false), (Strings{"a.dll", "b.DLL", "c.Exe", "d.ocx"}));
    EXPECT_EQ(Scan(tmp.path(), 1, false, "*.txt"), (Strings{"f.txt"}));
    EXPECT_EQ(Scan(tmp.path(), 1, false, "?.dl*"), (Strings{"a.dll", "b.DLL", "e.dll.bak", "g.dl"}));
    // Blanks after a ";" are dropped; a file matching two patterns is listed twice.
    EXPECT_EQ(Scan(tmp.path(), 1, false, "a.*;  *.DLL"), (Strings{"a.dll", "a.dll", "b.DLL"}));
}

// 16-bit modules count as PE ones do, from their resource table alone; icon libraries (.icl,
// NE or PE) are listed after the other kinds, as the masks come.
TEST(FolderScan, NeModulesAndIconLibrariesCountTheirGroups)
{
    const testing::TempFolder tmp;
    const auto writeNe = [&](const char* name, int groups, bool damaged) {
        testing::NeBuilder builder;
        for (int i = 1; i <= groups; ++i)
            builder.addResource(kGroupIcon, i, {0, 0, 1, 0, 0, 0});
        if (damaged) builder.addDefect(testing::NeBuilder::Defect::HugeCounts);
        builder.writeTo(tmp.path() / name);
    };
    writeNe("program.exe", 2, false);
    writeNe("library.icl", 3, false);
    writeNe("driver.drv", 3, false);
    writeNe("damaged.icl", 3, true);
    WriteModule(tmp.path() / "icons.icl", 1);

    EXPECT_EQ(Scan(tmp.path(), 1, false), (Strings{"program.exe", "icons.icl", "library.icl"}));
    EXPECT_EQ(Scan(tmp.path(), 3, false), (Strings{"library.icl"}));
    EXPECT_EQ(Scan(tmp.path(), 3, false, "*.drv"), (Strings{"driver.drv"}));
}

TEST(FolderScan, SplitMasksTrimsWhatFollowsEachSemicolon)
{
    EXPECT_EQ(SplitMasks("*.dll;*.exe;*.ocx"), (Strings{"*.dll", "*.exe", "*.ocx"}));
    EXPECT_EQ(SplitMasks(" *.dll ;  *.exe "), (Strings{" *.dll ", "*.exe"}));
    EXPECT_EQ(SplitMasks("*.dll;"), (Strings{"*.dll"}));
    EXPECT_EQ(SplitMasks("a;;b"), (Strings{"a", "", "b"}));
    EXPECT_EQ(SplitMasks(""), Strings{});
}

struct MaskCase {
    const char* name;
    const char* pattern;
    bool matches;
};

class Mask : public ::testing::TestWithParam<MaskCase> {};

TEST_P(Mask, MatchesAsTheListingDoes)
{
    EXPECT_EQ(MatchesMask(GetParam().name, GetParam().pattern), GetParam().matches)
        << GetParam().name << " ~ " << GetParam().pattern;
}

INSTANTIATE_TEST_SUITE_P(FolderScan, Mask,
                         ::testing::Values(MaskCase{"shell32.dll", "*.dll", true},
                                           MaskCase{"SHELL32.DLL", "*.dll", true},
                                           MaskCase{"shell32.dllx", "*.dll", false}, MaskCase{".dll", "*.dll", true},
                                           MaskCase{"a.dll.dll", "*.dll", true}, MaskCase{"abc", "a?c", true},
                                           MaskCase{"ac", "a?c", false}, MaskCase{"abc", "*", true},
                                           MaskCase{"", "*", true}, MaskCase{"", "", true}, MaskCase{"a", "", false},
                                           MaskCase{"aXbXc", "a*b*c", true}, MaskCase{"aXbX", "a*b*c", false},
                                           MaskCase{"x.dll", "**.dll", true}));

TEST(FolderScan, OwnFilesComeBeforeSubfoldersWhichAreWalkedDepthFirst)
{
    const testing::TempFolder tmp;
    const fs::path& root = tmp.path();
    WriteModule(root / "b" / "in-b.dll", 1);
    WriteModule(root / "a" / "deep" / "in-deep.dll", 1);
    WriteModule(root / "a" / "in-a.dll", 1);
    WriteModule(root / "top.dll", 1);
    WriteModule(root / ".hidden" / "in-hidden.dll", 1);
    WriteModule(root / ".dotted.dll", 1);

    EXPECT_EQ(Scan(root, 1, false), (Strings{".dotted.dll", "top.dll"}));
    EXPECT_EQ(Scan(root, 1, true), (Strings{".dotted.dll", "top.dll", "a" + kSep + "in-a.dll",
                                            "a" + kSep + "deep" + kSep + "in-deep.dll", "b" + kSep + "in-b.dll"}));

    // Asked to, the walk enters hidden folders too, in their place in the name order.
    ScanOptions withHidden;
    withHidden.enterHiddenFolders = true;
    EXPECT_EQ(Scan(root, 1, true, kIconFileMasks, withHidden),
              (Strings{".dotted.dll", "top.dll", ".hidden" + kSep + "in-hidden.dll", "a" + kSep + "in-a.dll",
                       "a" + kSep + "deep" + kSep + "in-deep.dll", "b" + kSep + "in-b.dll"}));
}

TEST(FolderScan, ASubfolderScanNamesItsFilesRelativeToTheRootAndKeepsTheList)
{
    const testing::TempFolder tmp;
    WriteModule(tmp.path() / "sub" / "x.dll", 1);
    Strings list{"kept"};
    EXPECT_EQ(ScanForIconFiles(tmp.path(), tmp.path() / "sub", kIconFileMasks, 1, false, list), ScanOutcome::Finished);
    EXPECT_EQ(list, (Strings{"kept", "sub" + kSep + "x.dll"}));
}

TEST(FolderScan, ProgressReportsEachListedFileAndCanStopTheWalk)
{
    const testing::TempFolder tmp;
    for (const char* name : {"a.dll", "b.dll", "c.dll"})
        WriteModule(tmp.path() / name, 1);
    WriteModule(tmp.path() / "sub" / "d.dll", 1);
    WriteText(tmp.path() / "z.dll", "no icons: never reported");

    std::vector<std::pair<int, std::string>> reports;
    ScanControl control;
    control.progress = [&](int count, const std::string& entry) {
        reports.emplace_back(count, entry);
        return false;
    };
    Strings list;
    EXPECT_EQ(ScanForIconFiles(tmp.path(), tmp.path(), kIconFileMasks, 1, true, list, control), ScanOutcome::Finished);
    EXPECT_EQ(reports, (std::vector<std::pair<int, std::string>>{
                           {1, "a.dll"}, {2, "b.dll"}, {3, "c.dll"}, {4, "sub" + kSep + "d.dll"}}));

    // Asked to stop at the second file: the walk ends there, subfolders included.
    control.progress = [](int count, const std::string&) { return count == 2; };
    EXPECT_EQ(ScanForIconFiles(tmp.path(), tmp.path(), kIconFileMasks, 1, true, list, control), ScanOutcome::Stopped);
    EXPECT_EQ(list, (Strings{"a.dll", "b.dll"}));
}

TEST(FolderScan, ACancelRequestEndsTheWalkBeforeTheNextEntry)
{
    const testing::TempFolder tmp;
    WriteModule(tmp.path() / "a.dll", 1);
    WriteModule(tmp.path() / "sub" / "b.dll", 1);
    std::atomic<bool> cancel{false};
    ScanControl control;
    control.cancel = &cancel;
    control.progress = [&](int, const std::string&) {
        cancel = true; // as the window does when it closes during a scan
        return false;
    };
    Strings list;
    EXPECT_EQ(ScanForIconFiles(tmp.path(), tmp.path(), kIconFileMasks, 1, true, list, control), ScanOutcome::Stopped);
    EXPECT_EQ(list, (Strings{"a.dll"}));
}

// Files and folders removed, replaced by a pipe or emptied while the walk is under way.
TEST(FolderScan, EntriesThatVanishOrChangeDuringTheWalkAreSkipped)
{
    const testing::TempFolder tmp;
    const fs::path& root = tmp.path();
    WriteModule(root / "a.dll", 1);
    WriteModule(root / "b.dll", 1);
    WriteModule(root / "c.dll", 1);
    WriteModule(root / "d.dll", 1);
    WriteModule(root / "sub" / "e.dll", 1);
    WriteModule(root / "zz" / "f.dll", 1);

    ScanControl control;
    control.progress = [&](int, const std::string& entry) {
        if (entry == "a.dll") {
            fs::remove(root / "b.dll");
            fs::remove(root / "c.dll");
            // A pipe named like a library must be passed over, never opened (opening it would block).
            EXPECT_EQ(::mkfifo((root / "c.dll").c_str(), 0600), 0);
            std::ofstream(root / "d.dll", std::ios::trunc).flush();
            fs::remove_all(root / "sub");
        }
        return false;
    };
    Strings list;
    EXPECT_EQ(ScanForIconFiles(root, root, kIconFileMasks, 1, true, list, control), ScanOutcome::Finished);
    EXPECT_EQ(list, (Strings{"a.dll", "zz" + kSep + "f.dll"}));
}

TEST(FolderScan, LinksThatLoopOrLeadToAFolderTwiceAreWalkedOnce)
{
    const testing::TempFolder tmp;
    const fs::path& root = tmp.path();
    WriteModule(root / "top.dll", 1);
    WriteModule(root / "sub" / "inner.dll", 1);
    fs::create_directory_symlink(root, root / "sub" / "up");           // back to the root
    fs::create_directory_symlink(root / "sub", root / "sub" / "self"); // to its own folder
    fs::create_directory_symlink(root / "sub", root / "again");        // a second way into sub
    fs::create_directory_symlink(root / "missing", root / "dangling");
    fs::create_symlink(root / "top.dll", root / "linked.dll"); // a link to a file is a file

    const Strings listed = Scan(root, 1, true);
    EXPECT_EQ(listed, (Strings{"linked.dll", "top.dll", "again" + kSep + "inner.dll"}));
}

#ifdef __linux__
// The process table links to every file a process holds open: walked, it would list each
// of them again, once per link.
TEST(FolderScan, APseudoFileSystemIsNeverEntered)
{
    const testing::TempFolder tmp;
    const fs::path& root = tmp.path();
    WriteModule(root / "held.dll", 1);
    std::ifstream held(root / "held.dll"); // open, so /proc/self/fd has a link to it
    ASSERT_TRUE(held.is_open());
    fs::create_directory_symlink("/proc/self/fd", root / "descriptors");

    EXPECT_EQ(Scan(root, 1, true, "*"), Strings{"held.dll"});
    EXPECT_EQ(Scan("/proc/self/fd", 1, true, "*"), Strings{});
}
#endif

TEST(FolderScan, FoldersTheFileSystemLookupCallsPseudoAreLeftOut)
{
    const testing::TempFolder tmp;
    const fs::path& root = tmp.path();
    WriteModule(root / "a.dll", 1);
    WriteModule(root / "kernel" / "b.dll", 1);
    WriteModule(root / "kernel" / "deeper" / "c.dll", 1);
    WriteModule(root / "plain" / "d.dll", 1);

    std::vector<fs::path> asked;
    ScanOptions options;
    options.fileSystemKind = [&](const fs::path& folder) {
        asked.push_back(folder);
        return folder == root / "kernel" ? FileSystemKind::Pseudo : FileSystemKind::Ordinary;
    };
    Strings list;
    EXPECT_EQ(ScanForIconFiles(root, root, kIconFileMasks, 1, true, list, {}, options), ScanOutcome::Finished);
    EXPECT_EQ(list, (Strings{"a.dll", "plain" + kSep + "d.dll"}));
    EXPECT_EQ(asked, (std::vector<fs::path>{root, root / "kernel", root / "plain"}));

    // A root on a pseudo file system lists nothing, not even its own files.
    options.fileSystemKind = [](const fs::path&) { return FileSystemKind::Pseudo; };
    EXPECT_EQ(ScanForIconFiles(root, root, kIconFileMasks, 1, true, list, {}, options), ScanOutcome::Finished);
    EXPECT_EQ(list, Strings{});
}

TEST(FolderScan, AFolderThatCannotBeReadContributesNothing)
{
    const testing::TempFolder tmp;
    const fs::path& root = tmp.path();
    WriteModule(root / "a.dll", 1);
    WriteModule(root / "closed" / "hidden-inside.dll", 1);
    WriteModule(root / "open" / "b.dll", 1);

    EXPECT_EQ(Scan(root / "missing", 1, true), Strings{});
    EXPECT_EQ(Scan(root / "a.dll", 1, true), Strings{});

    fs::permissions(root / "closed", fs::perms::none);
    std::error_code probe;
    fs::directory_iterator attempt(root / "closed", probe);
    const bool stillReadable = !probe; // a privileged user reads it anyway
    const Strings listed = Scan(root, 1, true);
    fs::permissions(root / "closed", fs::perms::owner_all);
    if (stillReadable) GTEST_SKIP() << "this user can read a folder without permissions";
    EXPECT_EQ(listed, (Strings{"a.dll", "open" + kSep + "b.dll"}));
}

TEST(FolderScan, TheFileListOrderIgnoresCaseAndKeepsWalkOrderForTies)
{
    Strings entries{"b.dll", "A.dll", "_x.dll", "a.dll", "sub" + kSep + "c.dll", "Sub" + kSep + "a.dll", "a.DLL"};
    SortLikeFileList(entries);
    // "_" sorts before letters as in a lower-case comparison.
    EXPECT_EQ(entries,
              (Strings{"_x.dll", "A.dll", "a.dll", "a.DLL", "b.dll", "Sub" + kSep + "a.dll", "sub" + kSep + "c.dll"}));
}

TEST(PathJoin, OneSeparatorBetweenFolderAndName)
{
    EXPECT_EQ(AddTrailingBackslash("").native(), fs::path("").native());
    EXPECT_EQ(AddTrailingBackslash("dir").native(), fs::path("dir" + kSep).native());
    EXPECT_EQ(AddTrailingBackslash("dir" + kSep).native(), fs::path("dir" + kSep).native());
    EXPECT_EQ(JoinPath("dir", "x.dll").native(), fs::path("dir" + kSep + "x.dll").native());
    EXPECT_EQ(JoinPath("dir" + kSep, "x.dll").native(), fs::path("dir" + kSep + "x.dll").native());
    EXPECT_EQ(JoinPath(kSep, "x.dll").native(), fs::path(kSep + "x.dll").native());
    EXPECT_EQ(JoinPath("dir", "sub" + kSep + "x.dll").native(),
              fs::path("dir" + kSep + "sub" + kSep + "x.dll").native());
    EXPECT_EQ(PathFromText(PathText("caf\xc3\xa9.dll")), fs::path("caf\xc3\xa9.dll"));
}

} // namespace
} // namespace glyphora
