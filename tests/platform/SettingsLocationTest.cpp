// Where "gphx.ini" goes: beside a writable program, else in the user's folder; the XDG rule;
// and the writability test, which must hold for the superuser as well.
#include "platform/SettingsLocation.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

TEST(SettingsLocation, TheUserFolderFollowsXdgConfigHome)
{
    const std::tuple<std::string_view, std::string_view, fs::path> cases[] = {
        {"/home/ann/.cfg", "/home/ann", "/home/ann/.cfg/glyphora"},
        {"", "/home/ann", "/home/ann/.config/glyphora"},
        {"relative/cfg", "/home/ann", "/home/ann/.config/glyphora"},
        {"", "", ""},
        {"/etc/xdg-user", "", "/etc/xdg-user/glyphora"},
    };
    for (const auto& [xdg, home, expected] : cases)
        EXPECT_EQ(UserSettingsFolderFrom(xdg, home), expected) << xdg << "|" << home;
}

TEST(SettingsLocation, AWritableProgramFolderIsPortable)
{
    testing::TempFolder program;
    const fs::path user = "/home/ann/.config/glyphora";
    EXPECT_EQ(IniFolder(program.path(), user, [](const fs::path&) { return true; }), program.path());
    EXPECT_EQ(IniFolder(program.path(), user, [](const fs::path&) { return false; }), user);
}

TEST(SettingsLocation, AnInstalledTreeKeepsItsSettingsWithTheUser)
{
    testing::TempFolder prefix;
    fs::create_directories(prefix.path() / "bin");
    fs::create_directories(prefix.path() / "share" / "glyphora");
    EXPECT_EQ(IniFolder(prefix.path() / "bin", "/u", [](const fs::path&) { return true; }), fs::path("/u"));
}

TEST(SettingsLocation, AReadOnlyProgramFolderFallsBackToTheUserFolder)
{
    // procfs takes no new files from anyone, the superuser included.
    ASSERT_TRUE(fs::is_directory("/proc"));
    EXPECT_FALSE(FolderIsWritable("/proc"));
    EXPECT_EQ(IniFolder("/proc", "/home/ann/.config/glyphora"), fs::path("/home/ann/.config/glyphora"));
}

TEST(SettingsLocation, TheWritabilityTestTriesAndCleansUp)
{
    testing::TempFolder folder;
    EXPECT_TRUE(FolderIsWritable(folder.path()));
    EXPECT_TRUE(fs::is_empty(folder.path())) << "the probe file is removed";
    EXPECT_FALSE(FolderIsWritable(folder.path() / "missing"));
    EXPECT_FALSE(FolderIsWritable({}));
    std::ofstream(folder.path() / "file") << "x";
    EXPECT_FALSE(FolderIsWritable(folder.path() / "file"));
}

TEST(SettingsLocation, PermissionBitsCountForAnOrdinaryUser)
{
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser writes regardless of permission bits";
    testing::TempFolder folder;
    const fs::path locked = folder.path() / "locked";
    fs::create_directory(locked);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(FolderIsWritable(locked));
    fs::permissions(locked, fs::perms::owner_all);
}

} // namespace
} // namespace glyphora
