// The atomic output file on Windows: a complete file replaces the target in one step, and
// whatever stops it (another program holding the target, a read-only target, a full disk)
// leaves the old file exactly as it was and no temporary file behind; names outside ASCII
// reach the disk as the user wrote them.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/AtomicFile.h"
#include "tests/support/TempFolder.h"
#include "tests/windows/WindowsTestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <system_error>

namespace glyphora {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::WideNames;
using testing::WriteBytes;

// Writes text through an AtomicFile and commits; the file's error text, or "" on success.
std::string WriteAndCommit(const fs::path& target, const std::string& text, FreeSpaceLimit* space = nullptr)
{
    AtomicFile file(target, Durability::Normal, space);
    if (!file.IsOpen()) return file.ErrorText();
    if (!file.Write(std::string_view(text)) || !file.Commit()) return file.ErrorText();
    return {};
}

TEST(AtomicFileWindowsTest, ReplacesAnExistingFileAndLeavesNoTemporaryFile)
{
    const testing::TempFolder dir;
    const fs::path target = dir.path() / L"out.bin";
    WriteBytes(target, "an older and longer content");
    EXPECT_EQ(WriteAndCommit(target, "new"), "");
    EXPECT_EQ(ReadBytes(target), "new");
    EXPECT_EQ(WideNames(dir.path()), std::vector<std::wstring>{L"out.bin"});
}

TEST(AtomicFileWindowsTest, ATargetAnotherProgramHoldsOpen)
{
    const testing::TempFolder dir;
    const fs::path target = dir.path() / L"held.png";
    WriteBytes(target, "old");
    {
        // A program that holds the file open (Windows replaces no file that has open
        // handles): the replacement fails, names the target and leaves the file alone.
        testing::Handle reader(::CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(reader.valid());
        const std::string error = WriteAndCommit(target, "new");
        EXPECT_EQ(error.rfind("Cannot replace '" + target.string() + "': ", 0), 0u) << error;
    }
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(WideNames(dir.path()), std::vector<std::wstring>{L"held.png"});
    // Once the other program lets go, the same write goes through.
    EXPECT_EQ(WriteAndCommit(target, "new"), "");
    EXPECT_EQ(ReadBytes(target), "new");
}

TEST(AtomicFileWindowsTest, AReadOnlyTargetStaysAsItWas)
{
    const testing::TempFolder dir;
    const fs::path target = dir.path() / L"kept.ico";
    WriteBytes(target, "old");
    ASSERT_TRUE(::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string error = WriteAndCommit(target, "new");
    EXPECT_EQ(error, "Cannot replace '" + target.string() + "': " + std::generic_category().message(EACCES));
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(WideNames(dir.path()), std::vector<std::wstring>{L"kept.ico"});
    ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(AtomicFileWindowsTest, AFullDiskKeepsTheOldFile)
{
    const testing::TempFolder dir;
    const fs::path target = dir.path() / L"full.pdf";
    WriteBytes(target, "old");
    {
        FreeSpaceLimit space(4);
        EXPECT_EQ(WriteAndCommit(target, "more than four bytes", &space),
                  "Cannot write '" + target.string() + "': " + std::generic_category().message(ENOSPC));
    }
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(WideNames(dir.path()), std::vector<std::wstring>{L"full.pdf"});
}

TEST(AtomicFileWindowsTest, NamesOutsideAsciiAreWrittenAsGiven)
{
    const testing::TempFolder dir;
    // Latin, Greek, Cyrillic, CJK, and a character outside the BMP (a surrogate pair).
    const std::vector<std::wstring> names = {
        L"\u00c9t\u00e9 \u00fcber.ico", L"\u03b5\u03b9\u03ba\u03cc\u03bd\u03b1.png",
        L"\u0437\u043d\u0430\u0447\u043e\u043a.bmp", L"\u56fe\u6807.gif", L"\U0001F600.htm"};
    for (const auto& name : names) {
        EXPECT_EQ(WriteAndCommit(dir.path() / name, "x"), "");
        EXPECT_EQ(ReadBytes(dir.path() / name), "x");
    }
    auto sorted = names;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(WideNames(dir.path()), sorted);
}

TEST(AtomicFileWindowsTest, AFolderAtTheTargetIsNamedAsOnPosix)
{
    const testing::TempFolder dir;
    const fs::path target = dir.path() / L"taken.png";
    fs::create_directory(target);
    EXPECT_EQ(WriteAndCommit(target, "x"),
              "Cannot create '" + target.string() + "': " + std::generic_category().message(EISDIR));
    EXPECT_TRUE(fs::is_directory(target));
}

} // namespace
} // namespace glyphora
