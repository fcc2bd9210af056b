// The private file that replaces its target only when committed.
#include "platform/PendingFile.h"

#include "platform/GlyphoraError.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::size_t EntriesIn(const fs::path& dir)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST(PendingFile, CommitReplacesTheTargetAndAbandoningKeepsIt)
{
    const testing::TempFolder tmp;
    const fs::path target = tmp.path() / "out.bin";
    std::ofstream(target) << "old";
    {
        PendingFile abandoned(target);
        EXPECT_EQ(abandoned.Path().parent_path(), tmp.path());
        EXPECT_NE(abandoned.Path(), target);
        std::ofstream(abandoned.Path()) << "half";
        EXPECT_EQ(EntriesIn(tmp.path()), 2u);
    }
    EXPECT_EQ(Read(target), "old");
    EXPECT_EQ(EntriesIn(tmp.path()), 1u) << "the private file is gone";

    {
        PendingFile first(target);
        PendingFile second(target);
        EXPECT_NE(first.Path(), second.Path());
        std::ofstream(first.Path()) << "new";
        first.Commit();
    }
    EXPECT_EQ(Read(target), "new");
    EXPECT_EQ(EntriesIn(tmp.path()), 1u);
}

TEST(PendingFile, FailuresAreReportedWithTheTarget)
{
    const testing::TempFolder tmp;
    try {
        PendingFile nowhere(tmp.path() / "missing" / "out.bin");
        FAIL() << "a missing folder cannot hold the file";
    } catch (const GlyphoraError& e) {
        EXPECT_NE(std::string(e.what()).find("out.bin"), std::string::npos) << e.what();
    }

    const fs::path folder = tmp.path() / "taken";
    fs::create_directory(folder);
    std::ofstream(folder / "inside") << "x";
    PendingFile blocked(folder);
    EXPECT_THROW(blocked.Commit(), GlyphoraError);
    EXPECT_TRUE(fs::is_directory(folder));
}

} // namespace
} // namespace glyphora
