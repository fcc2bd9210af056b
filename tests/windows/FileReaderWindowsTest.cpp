// Bounded reads on Windows: a file that another program shrinks while it is read makes the
// reads past its new end fail instead of handing out bytes that are no longer there.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/FileReader.h"
#include "tests/support/TempFolder.h"
#include "tests/windows/WindowsTestSupport.h"

#include <gtest/gtest.h>

#include <array>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

TEST(FileReaderWindowsTest, AFileThatShrinksWhileItIsRead)
{
    const testing::TempFolder dir;
    const fs::path file = dir.path() / L"shrinking.dll";
    std::string content(64 * 1024, '\0');
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<char>(i * 7);
    testing::WriteBytes(file, content);

    const auto reader = FileReader::Open(file);
    ASSERT_NE(reader, nullptr);
    ASSERT_EQ(reader->size(), content.size());
    std::array<std::uint8_t, 16> bytes{};
    ASSERT_TRUE(reader->read(40000, bytes));
    EXPECT_EQ(bytes[0], static_cast<std::uint8_t>(content[40000]));

    {
        // Another program cuts the file to 1 KiB while our handle is open.
        testing::Handle writer(::CreateFileW(file.c_str(), GENERIC_WRITE,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(writer.valid());
        LARGE_INTEGER end{};
        end.QuadPart = 1024;
        ASSERT_TRUE(::SetFilePointerEx(writer.get(), end, nullptr, FILE_BEGIN));
        ASSERT_TRUE(::SetEndOfFile(writer.get()));
    }

    EXPECT_FALSE(reader->read(40000, bytes)) << "the bytes past the new end are gone";
    EXPECT_FALSE(reader->read(1020, bytes)) << "a read that crosses the new end";
    ASSERT_TRUE(reader->read(16, bytes)) << "what is still there reads as before";
    EXPECT_EQ(bytes[0], static_cast<std::uint8_t>(content[16]));
    EXPECT_EQ(ReadFileBytes(file, 1 << 20)->size(), 1024u);
}

TEST(FileReaderWindowsTest, AFolderOrAMissingFileGivesThePosixReason)
{
    const testing::TempFolder dir;
    std::string reason;
    EXPECT_EQ(FileReader::Open(dir.path(), &reason), nullptr);
    EXPECT_EQ(reason, std::generic_category().message(EISDIR));
    EXPECT_EQ(FileReader::Open(dir.path() / L"none" / L"x.dll", &reason), nullptr);
    EXPECT_EQ(reason, std::generic_category().message(ENOENT));
}

} // namespace
} // namespace glyphora
