// Atomic replacement: the bytes arrive whole, and a write the system refuses (a file size
// limit stands in for a full disk, and holds for the superuser too) leaves the old file and
// no temporary file behind.
#include "platform/AtomicFile.h"

#include "platform/GlyphoraError.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/FileText.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

void Write(const fs::path& file, std::string_view text)
{
    WriteFileAtomically(file, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

std::vector<std::string> Names(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(AtomicWrite, WritesANewFileAndLeavesNothingElse)
{
    testing::TempFolder folder;
    const fs::path file = folder.path() / "gphx.ini";
    Write(file, "first");
    EXPECT_EQ(testing::FileText(file), "first");
    Write(file, std::string(100000, 'x'));
    EXPECT_EQ(testing::FileText(file), std::string(100000, 'x'));
    Write(file, "");
    EXPECT_EQ(testing::FileText(file), "");
    EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"gphx.ini"});
}

TEST(AtomicWrite, AReplacedFileKeepsItsPermissions)
{
    testing::TempFolder folder;
    const fs::path file = folder.path() / "gphx.ini";
    Write(file, "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    Write(file, "new");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(AtomicWrite, ARefusedWriteLeavesTheOldFileWhole)
{
    testing::TempFolder folder;
    const fs::path file = folder.path() / "gphx.ini";
    Write(file, "the old settings");
    {
        testing::FileSizeLimit limit(64);
        EXPECT_THROW(Write(file, std::string(4096, 'n')), GlyphoraError);
    }
    EXPECT_EQ(testing::FileText(file), "the old settings");
    EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"gphx.ini"}) << "the temporary file is gone";
}

TEST(AtomicWrite, AFailedRenameRemovesTheTemporaryFile)
{
    testing::TempFolder folder;
    const fs::path target = folder.path() / "gphx.ini";
    fs::create_directory(target);
    Write(target / "inside", "kept");
    EXPECT_THROW(Write(target, "new"), GlyphoraError);
    EXPECT_EQ(testing::FileText(target / "inside"), "kept");
    EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"gphx.ini"});
}

TEST(AtomicWrite, AMissingFolderIsAFailureWithTheSystemsMessage)
{
    testing::TempFolder folder;
    try {
        Write(folder.path() / "missing" / "gphx.ini", "x");
        FAIL() << "no exception";
    } catch (const GlyphoraError& e) {
        EXPECT_NE(std::string(e.what()).find("No such file or directory"), std::string::npos) << e.what();
    }
}

} // namespace
} // namespace glyphora
