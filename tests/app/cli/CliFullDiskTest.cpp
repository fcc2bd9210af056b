// glyphora-cli on a real full file system: a small tmpfs filled to the last byte (only when
// the tests run as root and may mount one; FullDiskTest covers every kind with the output
// layer's simulated disk otherwise). Every kind of output fails with "No space left on
// device" on stderr and a non-zero status, the old file of that name stays intact and no
// temporary file is left.
#include "platform/AtomicFile.h"
#include "tests/app/cli/CliTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace glyphora {
namespace {

namespace fs = std::filesystem;
using testing::ShellQuote;

// A tmpfs of a few pages mounted on a folder for the test's lifetime.
class SmallFileSystem {
public:
    explicit SmallFileSystem(const fs::path& at) : at_(at)
    {
        fs::create_directories(at_);
        mounted_ =
            testing::RunTool("mount -t tmpfs -o size=256k,mode=0777 tmpfs " + ShellQuote(at_.string())).status == 0;
    }
    ~SmallFileSystem()
    {
        if (mounted_)
            testing::RunTool("umount " + ShellQuote(at_.string()) + " || umount -l " + ShellQuote(at_.string()));
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;
    bool mounted() const { return mounted_; }

    // Takes every free byte.
    void Fill() const
    {
        std::ofstream filler(at_ / "filler", std::ios::binary);
        const std::string block(4096, 'f');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size()))) {}
    }

private:
    fs::path at_;
    bool mounted_ = false;
};

TEST(CliFullDiskTest, EveryOutputKindFailsClearlyAndKeepsTheOldFile)
{
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
    const testing::TempFolder tmp;
    const fs::path disk = tmp.path() / "disk";
    const SmallFileSystem fileSystem(disk);
    if (!fileSystem.mounted()) GTEST_SKIP() << "tmpfs cannot be mounted here";

    struct Case {
        const char* name;
        std::string dest; // under the full disk
        std::string switches;
        std::vector<std::string> keep; // files that exist before and must stay as they are
    };
    const std::vector<Case> cases = {
        {"one icon file", "keep.ico", "", {"keep.ico"}},
        {"one picture", "keep.png", "-iconindex=2", {"keep.png"}},
        {"one bitmap", "keep.bmp", "", {"keep.bmp"}},
        {"every group as .ico", "icons", "-iconindex=0 -desttype=ico", {"icons/ico_app_dll0001.ico"}},
        {"every icon as PNG", "pictures", "-iconindex=0 -desttype=png", {"pictures/ico_app_dll0001.png"}},
        {"HTML", "keep.htm", "", {"keep.htm", "keep_files/ico_app_dll0001.png"}},
        {"dBase", "keep.dbf", "", {"keep.dbf", "keep.dbt"}},
        {"PDF", "keep.pdf", "", {"keep.pdf"}},
        {"composed picture", "keep.gif", "-alliconsasoneimage", {"keep.gif"}},
    };
    fs::copy_file(testing::kSampleModule, tmp.path() / "app.dll");
    for (const Case& c : cases)
        for (const auto& k : c.keep) {
            fs::create_directories((disk / k).parent_path());
            std::ofstream(disk / k) << "old " << k;
        }
    fileSystem.Fill();

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto run = testing::RunToolSplit(
            ShellQuote(GLYPHORA_CLI_PATH) + " -e " + ShellQuote((tmp.path() / "app.dll").string()) + " " +
            ShellQuote((disk / c.dest).string()) + " " + c.switches + " < /dev/null");
        EXPECT_EQ(run.status, 1) << run.out << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("No space left on device"), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        for (const auto& k : c.keep)
            EXPECT_EQ(testing::ReadFileText(disk / k), "old " + k) << k;
    }
    for (const auto& e : fs::recursive_directory_iterator(disk))
        EXPECT_FALSE(IsTemporaryOutputName(e.path().filename().string())) << e.path();
}

} // namespace
} // namespace glyphora
