// glyphora-cli against other programs: a module truncated or rewritten while it is exported
// ends every run in a clear error or a complete result, never a signal; two dBase exports at
// once write the same tables as one alone and use no fixed name in the temporary folder.
#include "platform/AtomicFile.h"
#include "tests/app/cli/CliTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace glyphora {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileText;
using testing::ShellQuote;

const fs::path kManyGroups = testing::kBuildDir / "samples" / "glyphora-many.dll";
constexpr int kManyGroupCount = 200;

std::uint32_t U16(const std::string& b, std::size_t at)
{
    return static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8);
}
std::uint32_t U32(const std::string& b, std::size_t at)
{
    return U16(b, at) | (U16(b, at + 2) << 16);
}

// An .ico file whose directory and images add up exactly to its size.
bool IsCompleteIco(const std::string& b)
{
    if (b.size() < 6 || U16(b, 0) != 0 || U16(b, 2) != 1 || U16(b, 4) == 0) return false;
    const std::size_t count = U16(b, 4);
    std::size_t end = 6 + 16 * count;
    if (b.size() < end) return false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t size = U32(b, 6 + 16 * i + 8), offset = U32(b, 6 + 16 * i + 12);
        if (offset + size > b.size()) return false;
        end = std::max(end, offset + size);
    }
    return end == b.size();
}

bool IsCompletePng(const std::string& b)
{
    return b.size() > 20 && b.compare(1, 3, "PNG") == 0 && b.compare(b.size() - 8, 4, "IEND") == 0;
}

struct Finished {
    bool signaled = false;
    int signal = 0;
    int status = -1;
    std::string out;
    std::string err;
};

// Starts the tool, lets change() act on the source after delay, and waits for the end.
Finished RunWhileChanging(const std::vector<std::string>& args, const fs::path& logs, std::chrono::microseconds delay,
                          const std::function<void()>& change)
{
    const std::string outPath = (logs / "out.txt").string(), errPath = (logs / "err.txt").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> argv = {GLYPHORA_CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (auto& a : argv)
        pointers.push_back(a.data());
    pointers.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, GLYPHORA_CLI_PATH, &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    Finished result;
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start the tool";
        return result;
    }
    std::this_thread::sleep_for(delay);
    change();
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    result.signaled = WIFSIGNALED(status);
    result.signal = result.signaled ? WTERMSIG(status) : 0;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadFileText(outPath);
    result.err = ReadFileText(errPath);
    return result;
}

struct ExportMode {
    const char* name;
    std::vector<std::string> switches; // after -e SOURCE DEST ("" first: no -e, only count)
    const char* dest;
    // A successful run must have written all of it; a failed one only complete files.
    std::function<void(const fs::path& dest, bool succeeded)> check;
};

TEST(CliConcurrencyTest, TruncatingTheModuleDuringAnExportNeverEndsInASignal)
{
    ASSERT_TRUE(fs::exists(kManyGroups)) << kManyGroups;
    const std::string original = ReadFileText(kManyGroups);

    const auto files = [](const fs::path& dir) {
        std::vector<fs::path> found;
        if (fs::is_directory(dir))
            for (const auto& e : fs::directory_iterator(dir))
                found.push_back(e.path());
        return found;
    };
    // A folder of per-icon files: all of them after a success, and only complete ones ever.
    const auto folderOf = [&](bool (*complete)(const std::string&)) {
        return [&files, complete](const fs::path& dest, bool succeeded) {
            const auto written = files(dest);
            if (succeeded) {
                EXPECT_EQ(written.size(), static_cast<std::size_t>(kManyGroupCount));
            }
            for (const auto& f : written)
                EXPECT_TRUE(complete(ReadFileText(f))) << f;
        };
    };
    const std::vector<ExportMode> modes = {
        {"every group as .ico", {"-iconindex=0", "-desttype=ico"}, "icons", folderOf(IsCompleteIco)},
        {"every icon as PNG", {"-iconindex=0", "-desttype=png"}, "pictures", folderOf(IsCompletePng)},
        {"one group as .ico",
         {"-iconindex=150"},
         "one.ico",
         [](const fs::path& dest, bool succeeded) {
             EXPECT_EQ(fs::exists(dest), succeeded);
             if (succeeded) {
                 EXPECT_TRUE(IsCompleteIco(ReadFileText(dest)));
             }
         }},
        {"HTML",
         {},
         "page.htm",
         [](const fs::path& dest, bool succeeded) {
             if (!succeeded) return;
             const std::string page = ReadFileText(dest);
             EXPECT_NE(page.find("</html>"), std::string::npos);
         }},
        {"PDF",
         {},
         "icons.pdf",
         [](const fs::path& dest, bool succeeded) {
             EXPECT_EQ(fs::exists(dest), succeeded);
             if (succeeded) {
                 EXPECT_NE(ReadFileText(dest).rfind("%%EOF"), std::string::npos);
             }
         }},
        {"count only", {""}, "", [](const fs::path&, bool) {}},
    };
    // How another program changes the file: cut it to nothing, to half, to its headers, or
    // rewrite it with the first half only and zeros after.
    const std::vector<std::function<void(const fs::path&)>> changes = {
        [](const fs::path& p) { fs::resize_file(p, 0); },
        [&](const fs::path& p) { fs::resize_file(p, original.size() / 2); },
        [](const fs::path& p) { fs::resize_file(p, 4096); },
        [&](const fs::path& p) {
            fs::resize_file(p, 0);
            std::ofstream out(p, std::ios::binary | std::ios::app);
            out << original.substr(0, original.size() / 2) << std::string(original.size() / 2, '\0');
        },
    };

    int run = 0, failures = 0, successes = 0;
    for (int round = 0; round < 10; ++round) {
        for (const ExportMode& mode : modes) {
            ++run;
            SCOPED_TRACE(std::string(mode.name) + ", run " + std::to_string(run));
            const testing::TempFolder dir;
            const fs::path source = dir.path() / "victim.dll";
            std::ofstream(source, std::ios::binary) << original;
            const fs::path dest = dir.path() / mode.dest;
            std::vector<std::string> args;
            if (mode.switches.empty() || !mode.switches[0].empty()) {
                args = {"-e", source.string(), dest.string()};
                args.insert(args.end(), mode.switches.begin(), mode.switches.end());
            } else {
                args = {source.string()};
            }
            const auto delay = std::chrono::microseconds((run * 7919) % 40000);
            const auto& change = changes[static_cast<std::size_t>(run) % changes.size()];
            const Finished finished = RunWhileChanging(args, dir.path(), delay, [&] { change(source); });

            ASSERT_FALSE(finished.signaled) << "ended by signal " << finished.signal << "\n" << finished.err;
            if (finished.status == 0) {
                ++successes;
                EXPECT_EQ(finished.err, "");
            } else {
                ++failures;
                EXPECT_EQ(finished.status, 1);
                EXPECT_EQ(std::count(finished.err.begin(), finished.err.end(), '\n'), 1) << finished.err;
                EXPECT_EQ(finished.out, "");
            }
            mode.check(dest, finished.status == 0);
            for (const auto& e : fs::recursive_directory_iterator(dir.path()))
                EXPECT_FALSE(IsTemporaryOutputName(e.path().filename().string())) << e.path();
        }
    }
    // Both ends must have been reached, or the timing did not test anything.
    std::cout << run << " runs: " << successes << " complete, " << failures << " clear errors\n";
    EXPECT_GT(failures, 0);
}

TEST(CliConcurrencyTest, TwoDbaseExportsAtOnceWriteWhatOneAloneWrites)
{
    const testing::TempFolder dir;
    // The temporary folder holds a planted link at the name a fixed scheme would use.
    const fs::path temp = dir.path() / "temp";
    fs::create_directories(temp);
    std::ofstream(dir.path() / "victim.txt") << "untouched";
    fs::create_symlink(dir.path() / "victim.txt", temp / "qziff.tmp");
    const std::string environment = "TMP=" + ShellQuote(temp.string()) + " TEMP=" + ShellQuote(temp.string()) +
                                    " TMPDIR=" + ShellQuote(temp.string()) + " ";
    const auto command = [&](const std::string& folder) {
        fs::create_directories(dir.path() / folder);
        return environment + ShellQuote(GLYPHORA_CLI_PATH) + " -e " + ShellQuote(kManyGroups.string()) + " " +
               ShellQuote((dir.path() / folder / "icons.dbf").string()) + " > /dev/null";
    };
    ASSERT_EQ(testing::RunTool(command("alone")).status, 0);
    const std::string table = ReadFileText(dir.path() / "alone" / "icons.dbf");
    const std::string memo = ReadFileText(dir.path() / "alone" / "icons.dbt");
    ASSERT_GT(memo.size(), 200u * 1024u);

    for (int round = 0; round < 3; ++round) {
        const std::string a = "a" + std::to_string(round), b = "b" + std::to_string(round);
        const auto both = testing::RunTool("(" + command(a) + " & " + command(b) + " & wait) && exit 0");
        ASSERT_EQ(both.status, 0) << both.output;
        for (const std::string& folder : {a, b}) {
            EXPECT_EQ(ReadFileText(dir.path() / folder / "icons.dbf"), table) << folder;
            EXPECT_TRUE(ReadFileText(dir.path() / folder / "icons.dbt") == memo) << folder << ": the memos differ";
        }
    }
    EXPECT_EQ(ReadFileText(dir.path() / "victim.txt"), "untouched");
    std::vector<std::string> inTemp;
    for (const auto& e : fs::directory_iterator(temp))
        inTemp.push_back(e.path().filename().string());
    EXPECT_EQ(inTemp, std::vector<std::string>{"qziff.tmp"}) << "nothing is written into the temporary folder";
}

} // namespace
} // namespace glyphora
