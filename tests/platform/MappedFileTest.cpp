// The read-only file view: it shows exactly the file's bytes, moves without copying, and
// refuses what cannot be mapped.
#include "platform/MappedFile.h"

#include "platform/Files.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <unistd.h>

namespace glyphora {
namespace {

class MappedFileTest : public ::testing::Test {
protected:
    MappedFileTest()
    {
        static std::atomic<unsigned> counter{0};
        do {
            dir_ = std::filesystem::temp_directory_path() /
                   ("glyphora-map-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        } while (!std::filesystem::create_directory(dir_));
    }
    ~MappedFileTest() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    std::filesystem::path dir_;
};

TEST_F(MappedFileTest, ViewShowsTheFileBytesAndSurvivesMoves)
{
    const std::vector<std::uint8_t> content = {'M', 'Z', 0, 1, 2, 0xFF};
    WriteWholeFile(dir_ / "a.bin", content);

    auto file = MappedFile::Open(dir_ / "a.bin");
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(std::vector<std::uint8_t>(file->bytes().begin(), file->bytes().end()), content);

    const auto* data = file->bytes().data();
    MappedFile moved = std::move(*file);
    EXPECT_EQ(file->size(), 0u);
    EXPECT_TRUE(file->bytes().empty());
    EXPECT_EQ(moved.bytes().data(), data);
    EXPECT_EQ(moved.size(), content.size());

    WriteWholeFile(dir_ / "b.bin", {7});
    auto other = MappedFile::Open(dir_ / "b.bin");
    ASSERT_TRUE(other.has_value());
    moved = std::move(*other);
    EXPECT_EQ(std::vector<std::uint8_t>(moved.bytes().begin(), moved.bytes().end()), std::vector<std::uint8_t>{7});
}

TEST_F(MappedFileTest, RefusesMissingEmptyFolderAndUnreadablePaths)
{
    std::ofstream(dir_ / "empty.bin").close();
    WriteWholeFile(dir_ / "locked.bin", {1, 2, 3});
    std::filesystem::permissions(dir_ / "locked.bin", std::filesystem::perms::none);

    EXPECT_FALSE(MappedFile::Open(dir_ / "missing.bin").has_value());
    EXPECT_FALSE(MappedFile::Open(dir_ / "empty.bin").has_value());
    EXPECT_FALSE(MappedFile::Open(dir_).has_value());
    if (::geteuid() != 0) {  // root reads files whatever their permissions
        EXPECT_FALSE(MappedFile::Open(dir_ / "locked.bin").has_value());
    }
}

} // namespace
} // namespace glyphora
