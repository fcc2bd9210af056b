// How fast the folder scan finds the files with icons, against a shell loop of
// `wrestool -l -t14` (icoutils) over the same files, in one run:
//   build/bench/bench_scan [--files=N] [--keep]
// The folder (N PE files, 720 by default, in five folders, plus files that are not modules)
// is made here from the bundled sample modules and from modules without icons written by
// the test builder; file sizes are mixed by padding after the last section. Both tools read
// warm files: the folder has just been written and each scan runs once before it is timed.
#include "bench/ScanBenchFolder.h"
#include "scan/FolderScan.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using glyphora::bench::Folder;
using glyphora::bench::MakeFolder;

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

bool HasWrestool()
{
    return std::system("command -v wrestool > /dev/null 2>&1") == 0;
}

// A shell loop of wrestool over the same files as the scan (the file list is written first
// and not timed).
double TimeWrestoolLoop(const Folder& folder)
{
    const fs::path list = folder.root.parent_path() / "glyphora-bench-scan-files.txt";
    {
        std::ofstream out(list);
        for (const auto& entry : fs::recursive_directory_iterator(folder.root)) {
            if (!entry.is_regular_file()) continue;
            out << entry.path().string() << '\n';
        }
    }
    const std::string command =
        "while IFS= read -r f; do wrestool -l -t14 \"$f\"; done < '" + list.string() + "' > /dev/null 2>&1";
    const auto start = Clock::now();
    const int status = std::system(command.c_str());
    const double seconds = Seconds(Clock::now() - start);
    fs::remove(list);
    if (status != 0) std::cerr << "the wrestool loop ended with status " << status << '\n';
    return seconds;
}

std::size_t CountFiles(const fs::path& root)
{
    return static_cast<std::size_t>(std::count_if(fs::recursive_directory_iterator(root),
                                                  fs::recursive_directory_iterator{},
                                                  [](const fs::directory_entry& e) { return e.is_regular_file(); }));
}

} // namespace

int main(int argc, char** argv)
{
    int count = 720;
    bool keep = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--files=", 0) == 0)
            count = std::max(1, std::atoi(arg.c_str() + 8));
        else if (arg == "--keep")
            keep = true;
        else {
            std::cerr << "usage: bench_scan [--files=N] [--keep]\n";
            return 2;
        }
    }

    const Folder folder = MakeFolder(count);
    const std::size_t files = CountFiles(folder.root);
    std::uintmax_t bytes = 0;
    for (const auto& m : folder.modules)
        bytes += fs::file_size(m);

    std::vector<std::string> list;
    glyphora::ScanForIconFiles(folder.root, folder.root, glyphora::kIconFileMasks, 1, true, list); // warm-up
    std::vector<double> runs;
    for (int run = 0; run < 7; ++run) {
        const auto start = Clock::now();
        glyphora::ScanForIconFiles(folder.root, folder.root, glyphora::kIconFileMasks, 1, true, list);
        runs.push_back(Seconds(Clock::now() - start));
    }
    std::sort(runs.begin(), runs.end());
    const double ours = runs[runs.size() / 2];

    std::printf("folder: %zu files (%d PE modules, %.1f MB), %zu listed with icons\n", files, count,
                static_cast<double>(bytes) / 1e6, list.size());
    std::printf("our scan (median of %zu):  %9.2f ms  %10.0f files/s\n", runs.size(), ours * 1e3,
                static_cast<double>(files) / ours);
    if (HasWrestool()) {
        const double wrestool = TimeWrestoolLoop(folder);
        std::printf("wrestool -l -t14 loop:     %9.2f ms  %10.0f files/s\n", wrestool * 1e3,
                    static_cast<double>(files) / wrestool);
        std::printf("our scan is %.0fx faster\n", wrestool / ours);
    } else {
        std::printf("wrestool is not installed (icoutils): no comparison\n");
    }
    if (!keep) fs::remove_all(folder.root);
    return 0;
}
