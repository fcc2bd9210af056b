// The kind of file system a folder lies on: the kernel's process and device trees are pseudo
// however they are named or reached, ordinary folders are ordinary whatever their names. The
// mount types are checked against findmnt (util-linux) as an independent reader of the mount
// table.
#include "platform/FileSystemKind.h"

#include "tests/support/RunTool.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

#ifdef __linux__

// The type of the mount that holds path, as findmnt names it (the last of stacked mounts).
std::string MountType(const fs::path& path)
{
    const auto result = testing::RunTool("findmnt -n -o FSTYPE -T " + testing::ShellQuote(path.string()));
    std::string type = result.status == 0 ? result.output : std::string();
    while (!type.empty() && type.back() == '\n')
        type.pop_back();
    return type.substr(type.rfind('\n') + 1);
}

TEST(FileSystemKind, TheKernelsOwnTreesArePseudoWhateverTheyAreCalled)
{
    const testing::TempFolder tmp;
    fs::create_directory(tmp.path() / "proc");
    fs::create_directory_symlink("/proc/self", tmp.path() / "elsewhere");
    EXPECT_EQ(FileSystemKindOf(tmp.path()), FileSystemKind::Ordinary);
    EXPECT_EQ(FileSystemKindOf(tmp.path() / "proc"), FileSystemKind::Ordinary); // a name says nothing
    EXPECT_EQ(FileSystemKindOf(tmp.path() / "elsewhere"), FileSystemKind::Pseudo);
    EXPECT_EQ(FileSystemKindOf("/proc"), FileSystemKind::Pseudo);
    EXPECT_EQ(FileSystemKindOf("/proc/self/fd"), FileSystemKind::Pseudo);
    EXPECT_EQ(FileSystemKindOf(tmp.path() / "missing"), FileSystemKind::Ordinary);

    // devtmpfs reports the type number of tmpfs; the mount table tells them apart.
    for (const char* folder : {"/sys", "/sys/fs/cgroup", "/dev", "/dev/shm", "/dev/pts", "/run", "/tmp"}) {
        if (!fs::is_directory(folder)) continue;
        const std::string type = MountType(folder);
        if (type.empty()) continue;
        const bool pseudo = type == "sysfs" || type == "devtmpfs" || type == "devpts" || type.starts_with("cgroup");
        EXPECT_EQ(FileSystemKindOf(folder), pseudo ? FileSystemKind::Pseudo : FileSystemKind::Ordinary)
            << folder << " is " << type;
    }
}

#endif

} // namespace
} // namespace glyphora
