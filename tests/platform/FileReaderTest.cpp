// The bounded file reader: reads at any offset deliver exactly the file's bytes, reads outside
// the size seen at opening fail, a file truncated after opening makes reads fail instead of
// ending the process, and what cannot be opened is refused with a reason.
#include "platform/FileReader.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numeric>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace glyphora {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

void Write(const fs::path& p, const Bytes& bytes)
{
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes Counting(std::size_t n)
{
    Bytes b(n);
    std::iota(b.begin(), b.end(), std::uint8_t{0});
    return b;
}

TEST(FileReaderTest, ReadsExactlyTheBytesAskedForAndNothingOutside)
{
    const testing::TempFolder dir;
    const Bytes content = Counting(70000);
    Write(dir.path() / "a.bin", content);
    auto file = FileReader::Open(dir.path() / "a.bin");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->size(), content.size());

    struct Range {
        std::uint64_t offset;
        std::size_t length;
        bool inside;
    };
    const Range ranges[] = {{0, 0, true},           {0, 1, true},     {65535, 3, true},  {0, 70000, true},
                            {69999, 1, true},       {70000, 0, true}, {70000, 1, false}, {69999, 2, false},
                            {UINT64_MAX, 1, false}, {1, 70000, false}};
    for (const Range& r : ranges) {
        Bytes into(r.length, 0xEE);
        EXPECT_EQ(file->read(r.offset, into), r.inside) << r.offset << "+" << r.length;
        if (r.inside) {
            EXPECT_TRUE(std::equal(into.begin(), into.end(), content.begin() + static_cast<std::ptrdiff_t>(r.offset)))
                << r.offset << "+" << r.length;
        }
    }
}

TEST(FileReaderTest, AFileTruncatedAfterOpeningMakesReadsFail)
{
    const testing::TempFolder dir;
    const fs::path path = dir.path() / "shrinks.bin";
    Write(path, Counting(50000));
    auto file = FileReader::Open(path);
    ASSERT_NE(file, nullptr);
    fs::resize_file(path, 1000);
    Bytes head(10), tail(10);
    EXPECT_TRUE(file->read(0, head));
    EXPECT_FALSE(file->read(40000, tail)) << "the bytes are gone: the read fails, nothing is delivered";
    EXPECT_FALSE(file->read(995, tail)) << "a read across the new end fails too";
    EXPECT_EQ(file->size(), 50000u) << "the size stays the one seen at opening";
}

TEST(FileReaderTest, RefusesWhatIsNoReadableRegularFileWithAReason)
{
    const testing::TempFolder dir;
    std::ofstream(dir.path() / "empty.bin").close();
    std::string reason;
    auto empty = FileReader::Open(dir.path() / "empty.bin", &reason);
    ASSERT_NE(empty, nullptr) << reason;
    EXPECT_EQ(empty->size(), 0u);

    EXPECT_EQ(FileReader::Open(dir.path() / "missing.bin", &reason), nullptr);
    EXPECT_EQ(reason, std::generic_category().message(ENOENT));
    EXPECT_EQ(FileReader::Open(dir.path(), &reason), nullptr);
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(FileReader::Open("", &reason), nullptr);
#ifndef _WIN32
    if (::geteuid() != 0) { // root reads files whatever their permissions
        Write(dir.path() / "locked.bin", {1, 2, 3});
        fs::permissions(dir.path() / "locked.bin", fs::perms::none);
        EXPECT_EQ(FileReader::Open(dir.path() / "locked.bin", &reason), nullptr);
        EXPECT_EQ(reason, std::generic_category().message(EACCES));
    }
#endif
}

TEST(FileReaderTest, ReadFileBytesKeepsToItsLimit)
{
    const testing::TempFolder dir;
    Write(dir.path() / "a.bin", Counting(300));
    std::string reason;
    EXPECT_EQ(ReadFileBytes(dir.path() / "a.bin", 300, &reason), std::optional<Bytes>(Counting(300)));
    EXPECT_EQ(ReadFileBytes(dir.path() / "a.bin", 299, &reason), std::nullopt);
    EXPECT_NE(reason.find("too large"), std::string::npos) << reason;
    EXPECT_EQ(ReadFileBytes(dir.path() / "none.bin", 300, &reason), std::nullopt);
    EXPECT_EQ(reason, std::generic_category().message(ENOENT));
}

} // namespace
} // namespace glyphora
