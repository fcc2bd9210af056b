// How fast icons are counted over a folder of many modules (count only, no image decoding),
// and how long one icon takes from a module to a PNG file, for PE modules and for 16-bit NE
// icon libraries.
//   build/bench/bench_extraction [--benchmark_filter=...]
// The PE modules are copies of the bundled sample module, the NE ones icon libraries that the
// test builder writes from the same art, in a temporary folder.
#include "export/CurrentIcons.h"
#include "export/SaveIcon.h"
#include "iconengine/IconSources.h"
#include "iconengine/IconExtraction.h"
#include "platform/Files.h"
#include "tests/support/NeBuilder.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace glyphora;

const fs::path kBuild = fs::path(GLYPHORA_BENCH_BUILD_DIR);
const fs::path kSample = kBuild / "samples" / "glyphora-sample.dll";

// The sample's six groups as an NE icon library (16-byte units, as linkers wrote them).
fs::path NeSample()
{
    const fs::path path = fs::temp_directory_path() / "glyphora-bench-sample.icl";
    testing::NeBuilder builder;
    int id = 1;
    for (const char* art : {"folder", "mainicon", "star", "document", "gear", "magnifier"})
        builder.addIconGroup(id++, ReadWholeFile(kBuild / "samples" / "art" / (std::string(art) + ".ico")));
    builder.writeTo(path);
    return path;
}

enum Kind { kPe, kNe };

// A folder of 500 copies of the sample of that kind (made once per process).
const std::vector<fs::path>& ModuleFolder(Kind kind)
{
    static std::vector<fs::path> folders[2];
    std::vector<fs::path>& files = folders[kind];
    if (!files.empty()) return files;
    const fs::path dir = fs::temp_directory_path() / (kind == kPe ? "glyphora-bench-modules" : "glyphora-bench-ne");
    fs::create_directories(dir);
    const fs::path source = kind == kPe ? kSample : NeSample();
    for (int i = 0; i < 500; ++i) {
        const fs::path p = dir / ("module" + std::to_string(i) + (kind == kNe ? ".icl" : i % 2 ? ".dll" : ".exe"));
        if (!fs::exists(p)) fs::copy_file(source, p);
        files.push_back(p);
    }
    return files;
}

void BM_CountIconsInFolder(benchmark::State& state)
{
    const auto& files = ModuleFolder(static_cast<Kind>(state.range(0)));
    long long icons = 0;
    for (auto _ : state) {
        for (const auto& f : files)
            icons += CountFileIcons(f);
    }
    state.SetLabel(state.range(0) == kPe ? "PE" : "NE");
    state.counters["icons/s"] = benchmark::Counter(static_cast<double>(icons), benchmark::Counter::kIsRate);
    state.counters["files/s"] = benchmark::Counter(
        static_cast<double>(files.size()) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CountIconsInFolder)->Arg(kPe)->Arg(kNe)->Unit(benchmark::kMillisecond);

// Every icon of the sample at the large size, as the grid loads them.
void BM_LoadAllIcons(benchmark::State& state)
{
    const fs::path module = ModuleFolder(static_cast<Kind>(state.range(0))).front();
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadFileIcons(module, IconSizing::Large, BuiltInFileTypeIcons()));
    state.SetLabel(state.range(0) == kPe ? "PE" : "NE");
}
BENCHMARK(BM_LoadAllIcons)->Arg(kPe)->Arg(kNe)->Unit(benchmark::kMicrosecond);

void BM_ExportOneIconToPng(benchmark::State& state)
{
    const fs::path out = fs::temp_directory_path() / "glyphora-bench-icon.png";
    for (auto _ : state) {
        CurrentIcons current;
        current.fileName = kSample;
        current.icons = LoadFileIcons(kSample, IconSizing::Large, BuiltInFileTypeIcons()).icons;
        benchmark::DoNotOptimize(SaveIcon(current, 0, out, OutputKind::Png, false));
    }
    fs::remove(out);
}
BENCHMARK(BM_ExportOneIconToPng)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
