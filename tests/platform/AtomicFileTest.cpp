// The atomic output file: a complete file replaces the target in one step, anything short of
// that (a failed write, a full disk, no Commit) leaves the old file as it was and no
// temporary file behind, and temporary names are private and never reused.
#include "platform/AtomicFile.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace glyphora {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

std::string Read(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Names(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(AtomicFileTest, CommitReplacesTheTargetWithTheCompleteFile)
{
    const testing::TempFolder dir;
    const fs::path target = dir.path() / "out.bin";
    std::ofstream(target) << "old content that is longer";
    AtomicFile file(target);
    ASSERT_TRUE(file.IsOpen()) << file.ErrorText();
    EXPECT_TRUE(file.Write(std::string_view("hello ")));
    EXPECT_TRUE(file.Write(std::string_view("world")));
    EXPECT_EQ(Read(target), "old content that is longer") << "nothing is visible before Commit";
    const Bytes capital = {'H'};
    EXPECT_TRUE(file.WriteAt(0, capital));
    EXPECT_EQ(file.Size(), 11u);
    ASSERT_TRUE(file.Commit()) << file.ErrorText();
    EXPECT_EQ(Read(target), "Hello world");
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"out.bin"});
}

TEST(AtomicFileTest, WithoutCommitNothingChangesAndNothingStays)
{
    const testing::TempFolder dir;
    const fs::path target = dir.path() / "keep.txt";
    std::ofstream(target) << "keep";
    {
        AtomicFile file(target);
        ASSERT_TRUE(file.Write(std::string_view("new")));
        EXPECT_EQ(Names(dir.path()).size(), 2u) << "the temporary file lies beside the target";
        for (const auto& name : Names(dir.path())) {
            EXPECT_TRUE(name == "keep.txt" || IsTemporaryOutputName(name)) << name;
        }
    }
    EXPECT_EQ(Read(target), "keep");
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"keep.txt"});

    AtomicFile discarded(dir.path() / "new.txt");
    ASSERT_TRUE(discarded.Write(std::string_view("x")));
    discarded.Discard();
    EXPECT_FALSE(discarded.Commit());
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"keep.txt"});
}

TEST(AtomicFileTest, AFullDiskFailsTheWriteAndKeepsTheOldFile)
{
    const testing::TempFolder dir;
    const fs::path target = dir.path() / "keep.png";
    std::ofstream(target) << "old picture";
    for (std::uint64_t space : {0u, 1u, 9u}) {
        FreeSpaceLimit full(space);
        AtomicFile file(target, Durability::Normal, &full);
        ASSERT_TRUE(file.IsOpen());
        EXPECT_FALSE(file.Write(std::string_view("0123456789")));
        EXPECT_FALSE(file.Write(std::string_view("more"))) << "once failed, the file stays failed";
        EXPECT_FALSE(file.Commit());
        EXPECT_EQ(file.ErrorText(),
                  "Cannot write '" + target.string() + "': " + std::generic_category().message(ENOSPC));
        EXPECT_THROW(file.Raise(), OutputError);
        file.Discard();
        EXPECT_EQ(Read(target), "old picture") << space;
        EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"keep.png"}) << space;
    }
    {
        FreeSpaceLimit enough(10);
        EXPECT_NO_THROW(WriteFileAtomically(target, Bytes(10, 'n'), Durability::Normal, &enough));
    }
    EXPECT_EQ(Read(target), std::string(10, 'n'));
}

TEST(AtomicFileTest, FailuresNameTheTargetAndTheReason)
{
    const testing::TempFolder dir;
    const fs::path missing = dir.path() / "no such folder" / "x.ico";
    AtomicFile file(missing);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.ErrorText(), "Cannot create '" + missing.string() + "': " + std::generic_category().message(ENOENT));
    try {
        WriteFileAtomically(missing, Bytes{1});
        ADD_FAILURE() << "no exception";
    } catch (const OutputError& e) {
        EXPECT_EQ(std::string(e.what()), file.ErrorText());
    }

    fs::create_directory(dir.path() / "folder");
    AtomicFile onFolder(dir.path() / "folder");
    EXPECT_FALSE(onFolder.IsOpen() && onFolder.Commit()) << "a folder is never replaced";
    EXPECT_TRUE(fs::is_directory(dir.path() / "folder"));
}

TEST(AtomicFileTest, TemporaryNamesArePrivateAndDoNotRepeat)
{
    std::set<std::string> seen;
    const fs::path target = fs::path("dir") / std::string(300, 'n');
    for (int i = 0; i < 200; ++i) {
        const fs::path p = TemporaryPathFor(target);
        EXPECT_EQ(p.parent_path(), fs::path("dir"));
        EXPECT_TRUE(IsTemporaryOutputName(p.filename().string())) << p;
        EXPECT_LE(p.filename().string().size(), 255u) << "long names are cut to stay a valid name";
        EXPECT_TRUE(seen.insert(p.filename().string()).second) << p;
    }
    EXPECT_FALSE(IsTemporaryOutputName("keep.tmp"));
    EXPECT_FALSE(IsTemporaryOutputName("qziff.tmp"));
}

// A writer that opens its output by name (libxlsxwriter, the printer's PDF output) gets the
// same guarantees: a private, recognisable name beside the target, nothing changed before
// Commit, and nothing left behind.
TEST(AtomicFileByNameTest, TheWriterFillsTheTemporaryFileAndCommitPutsItInPlace)
{
    const testing::TempFolder dir;
    const fs::path target = dir.path() / "book.xlsx";
    std::ofstream(target) << "old";
    {
        AtomicFile abandoned(target, kByNameWriter);
        ASSERT_TRUE(abandoned.IsOpen()) << abandoned.ErrorText();
        EXPECT_EQ(abandoned.WritePath().parent_path(), dir.path());
        EXPECT_TRUE(IsTemporaryOutputName(abandoned.WritePath().filename().string())) << abandoned.WritePath();
        std::ofstream(abandoned.WritePath()) << "half";
        EXPECT_EQ(Names(dir.path()).size(), 2u);
    }
    EXPECT_EQ(Read(target), "old");
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"book.xlsx"}) << "the temporary file is gone";

    {
        AtomicFile first(target, kByNameWriter);
        AtomicFile second(target, kByNameWriter);
        EXPECT_NE(first.WritePath(), second.WritePath());
        EXPECT_FALSE(second.Write(std::string_view("x"))) << "the bytes come from the writer only";
        std::ofstream(first.WritePath()) << "new";
        EXPECT_EQ(Read(target), "old") << "nothing is visible before Commit";
        ASSERT_TRUE(first.Commit()) << first.ErrorText();
    }
    EXPECT_EQ(Read(target), "new");
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"book.xlsx"});
}

TEST(AtomicFileByNameTest, FailuresNameTheTargetAndKeepWhatWasThere)
{
    const testing::TempFolder dir;
    const fs::path missing = dir.path() / "no such folder" / "page.pdf";
    AtomicFile nowhere(missing, kByNameWriter);
    EXPECT_FALSE(nowhere.IsOpen());
    EXPECT_EQ(nowhere.ErrorText(),
              "Cannot create '" + missing.string() + "': " + std::generic_category().message(ENOENT));
    EXPECT_THROW(nowhere.Raise(), OutputError);

    fs::create_directory(dir.path() / "folder");
    AtomicFile onFolder(dir.path() / "folder", kByNameWriter);
    EXPECT_FALSE(onFolder.IsOpen() && onFolder.Commit()) << "a folder is never replaced";
    EXPECT_TRUE(fs::is_directory(dir.path() / "folder"));

    // The writer gave up and removed its file: the old one stays.
    const fs::path target = dir.path() / "page.pdf";
    std::ofstream(target) << "old";
    AtomicFile vanished(target, kByNameWriter);
    ASSERT_TRUE(vanished.IsOpen()) << vanished.ErrorText();
    fs::remove(vanished.WritePath());
    EXPECT_FALSE(vanished.Commit());
    EXPECT_EQ(vanished.ErrorText().rfind("Cannot replace '" + target.string() + "': ", 0), 0u) << vanished.ErrorText();
    EXPECT_EQ(Read(target), "old");

#ifndef _WIN32
    if (fs::exists("/dev/null")) {
        AtomicFile device("/dev/null", kByNameWriter);
        ASSERT_TRUE(device.IsOpen()) << device.ErrorText();
        EXPECT_EQ(device.WritePath(), fs::path("/dev/null")) << "a device is written in place";
        EXPECT_TRUE(device.Commit()) << device.ErrorText();
        EXPECT_TRUE(fs::is_character_file("/dev/null"));
    }
#endif
}

#ifndef _WIN32
TEST(AtomicFileTest, ReplacementKeepsTheModeAndADeviceIsWrittenInPlace)
{
    const testing::TempFolder dir;
    const fs::path target = dir.path() / "script.sh";
    std::ofstream(target) << "old";
    fs::permissions(target, fs::perms::owner_all | fs::perms::group_read);
    WriteFileAtomically(target, Bytes{'n', 'e', 'w'});
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms::owner_all | fs::perms::group_read);

    if (fs::exists("/dev/null")) {
        EXPECT_NO_THROW(WriteFileAtomically("/dev/null", Bytes(100, 1)));
        EXPECT_TRUE(fs::is_character_file("/dev/null")) << "a device is written, never replaced";
    }
}
#endif

} // namespace
} // namespace glyphora
