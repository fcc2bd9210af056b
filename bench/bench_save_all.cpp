// Every icon of a module with 200 icon groups saved as icon files and as PNG files into a folder and written
// as the HTML, dBase, PDF and spreadsheet documents: wall time per run, and the process's peak memory
// (maximum resident set) reported at the end.
//   build/bench/bench_save_all
#include "export/CurrentIcons.h"
#include "export/OutputKind.h"
#include "export/SaveAll.h"
#include "iconengine/IconSources.h"
#include "platform/ProcessStats.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using namespace glyphora;

const fs::path kModule = fs::path(GLYPHORA_BENCH_BUILD_DIR) / "samples" / "glyphora-many.dll";

void SaveAllOnce(benchmark::State& state, OutputKind fileType)
{
    const fs::path dir =
        fs::temp_directory_path() / ("glyphora-bench-saveall-" + std::string(OutputKindExtension(fileType)));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const CurrentIcons none;
    int icons = 0;
    for (auto _ : state) {
        SaveAllRequest request;
        request.srcFileName = kModule;
        request.fileType = fileType;
        request.destDir = fileType == OutputKind::Html ? dir / "page_files" : dir;
        request.destFileName = dir / ("icons." + std::string(OutputKindExtension(fileType)));
        request.columnCount = 12;
        request.includeNumbers = request.drawBorders = true;
        request.overwrite = OverwritePolicy::Replace; // as the command line does
        int count = 0;
        DialogAnswer confirm = DialogAnswer::None;
        SaveAll(none, request, count, confirm);
        icons = count;
    }
    state.counters["icons"] = icons;
    fs::remove_all(dir);
}

void BM_SaveAllIco(benchmark::State& state)
{
    SaveAllOnce(state, OutputKind::Icon);
}
void BM_SaveAllPng(benchmark::State& state)
{
    SaveAllOnce(state, OutputKind::Png);
}
void BM_ExportHtml(benchmark::State& state)
{
    SaveAllOnce(state, OutputKind::Html);
}
void BM_ExportDbase(benchmark::State& state)
{
    SaveAllOnce(state, OutputKind::Dbase);
}
void BM_ExportPdf(benchmark::State& state)
{
    SaveAllOnce(state, OutputKind::Pdf);
}
void BM_ExportXlsx(benchmark::State& state)
{
    SaveAllOnce(state, OutputKind::Xlsx);
}
BENCHMARK(BM_SaveAllIco)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAllPng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportHtml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportDbase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportXlsx)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("peak resident set: %ld KiB\n", glyphora::PeakResidentSetKiB());
    return 0;
}
