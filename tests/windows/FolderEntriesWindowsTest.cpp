// Folder listing on Windows: names outside ASCII come back as the system spells them,
// hidden and system entries are marked hidden, and a folder that is gone lists as nothing.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/FolderEntries.h"
#include "tests/support/TempFolder.h"
#include "tests/windows/WindowsTestSupport.h"

#include <gtest/gtest.h>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

TEST(FolderEntriesWindowsTest, UnicodeNamesKindsAndHiddenOrSystemEntries)
{
    const testing::TempFolder dir;
    testing::WriteBytes(dir.path() / L"\u00c9t\u00e9.dll", "x");
    testing::WriteBytes(dir.path() / L"\u56fe\u6807.exe", "x");
    testing::WriteBytes(dir.path() / L"hidden.ocx", "x");
    testing::WriteBytes(dir.path() / L"system.icl", "x");
    fs::create_directory(dir.path() / L"\u0437\u043d\u0430\u0447\u043a\u0438");
    ASSERT_TRUE(::SetFileAttributesW((dir.path() / L"hidden.ocx").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(::SetFileAttributesW((dir.path() / L"system.icl").c_str(), FILE_ATTRIBUTE_SYSTEM));

    const auto entries = ListFolder(dir.path());
    ASSERT_TRUE(entries.has_value());
    struct Expected {
        std::wstring name;
        EntryKind kind;
        bool hidden;
    };
    // In the order of the UTF-16 names.
    const std::vector<Expected> expected = {
        {L"hidden.ocx", EntryKind::File, true},
        {L"system.icl", EntryKind::File, true},
        {L"\u00c9t\u00e9.dll", EntryKind::File, false},
        {L"\u0437\u043d\u0430\u0447\u043a\u0438", EntryKind::Folder, false},
        {L"\u56fe\u6807.exe", EntryKind::File, false},
    };
    ASSERT_EQ(entries->size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ((*entries)[i].name.wstring(), expected[i].name);
        EXPECT_EQ((*entries)[i].kind, expected[i].kind);
        EXPECT_EQ((*entries)[i].hidden, expected[i].hidden);
        EXPECT_FALSE((*entries)[i].link);
    }
}

TEST(FolderEntriesWindowsTest, AFolderThatVanishes)
{
    const testing::TempFolder dir;
    const fs::path folder = dir.path() / L"going";
    fs::create_directory(folder);
    testing::WriteBytes(folder / L"a.dll", "x");
    ASSERT_TRUE(ListFolder(folder).has_value());
    const auto identity = IdentifyFolder(folder);
    ASSERT_TRUE(identity.has_value());
    EXPECT_EQ(IdentifyFolder(folder / L"."), identity) << "the same folder by another path";
    EXPECT_NE(IdentifyFolder(dir.path()), identity);
    EXPECT_TRUE(FolderMayHaveSubfolders(dir.path()));

    fs::remove_all(folder);
    EXPECT_FALSE(ListFolder(folder).has_value());
    EXPECT_FALSE(IdentifyFolder(folder).has_value());
    EXPECT_FALSE(FolderMayHaveSubfolders(folder));
    EXPECT_FALSE(IdentifyFolder(dir.path() / L"going.dll").has_value());
}

} // namespace
} // namespace glyphora
