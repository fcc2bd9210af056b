// How fast icons are counted over a folder of many modules (count only, no image decoding),
// and how long one icon takes from a module to a PNG file.
//   build/bench/bench_extraction [--benchmark_filter=...]
// The modules are copies of the bundled sample module in a temporary folder.
#include "export/CurrentIcons.h"
#include "export/SaveIcon.h"
#include "iconengine/IconSources.h"
#include "iconengine/IconExtraction.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace glyphora;

const fs::path kSample = fs::path(GLYPHORA_BENCH_BUILD_DIR) / "samples" / "glyphora-sample.dll";

// A folder of copies of the sample (made once per process).
const std::vector<fs::path>& ModuleFolder()
{
    static std::vector<fs::path> files = [] {
        const fs::path dir = fs::temp_directory_path() / "glyphora-bench-modules";
        fs::create_directories(dir);
        std::vector<fs::path> out;
        for (int i = 0; i < 500; ++i) {
            const fs::path p = dir / ("module" + std::to_string(i) + (i % 2 ? ".dll" : ".exe"));
            if (!fs::exists(p)) fs::copy_file(kSample, p);
            out.push_back(p);
        }
        return out;
    }();
    return files;
}

void BM_CountIconsInFolder(benchmark::State& state)
{
    const auto& files = ModuleFolder();
    long long icons = 0;
    for (auto _ : state) {
        for (const auto& f : files)
            icons += CountFileIcons(f);
    }
    state.counters["icons/s"] = benchmark::Counter(static_cast<double>(icons), benchmark::Counter::kIsRate);
    state.counters["files/s"] = benchmark::Counter(
        static_cast<double>(files.size()) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CountIconsInFolder)->Unit(benchmark::kMillisecond);

void BM_ExportOneIconToPng(benchmark::State& state)
{
    const fs::path out = fs::temp_directory_path() / "glyphora-bench-icon.png";
    for (auto _ : state) {
        CurrentIcons current;
        current.fileName = kSample;
        current.icons = LoadFileIcons(kSample, IconSizing::Large).icons;
        benchmark::DoNotOptimize(SaveIcon(current, 0, out, 5, false));
    }
    fs::remove(out);
}
BENCHMARK(BM_ExportOneIconToPng)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
