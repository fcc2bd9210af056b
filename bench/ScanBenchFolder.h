// The folder the scan benchmarks work on, made by our own code: copies of the bundled sample
// modules and modules written by the test builder (some without any icon), with sizes mixed
// by padding after the last section, spread over a few subfolders, plus files named like
// modules that are none. Header-only, so that each benchmark source stays one program.
#pragma once

#include "tests/support/PeBuilder.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace glyphora::bench {

namespace fs = std::filesystem;

inline const fs::path kSamples = fs::path(GLYPHORA_BENCH_BUILD_DIR) / "samples";

// Pads a file to size bytes (after the last section, where a loader never looks).
inline void PadTo(const fs::path& path, std::uintmax_t size)
{
    if (fs::file_size(path) < size) fs::resize_file(path, size);
}

inline void WriteModule(const fs::path& path, int groups)
{
    testing::PeBuilder builder(groups % 2 ? testing::PeBuilder::Bits::Pe32 : testing::PeBuilder::Bits::Pe32Plus);
    builder.addResource(16, 1, 0x409, std::vector<std::uint8_t>(512, 0x5A));
    builder.addResource(24, 1, 0x409, std::vector<std::uint8_t>(256, 0x20));
    for (int i = 1; i <= groups; ++i)
        builder.addResource(14, i, 0x409, {0, 0, 1, 0, 0, 0});
    builder.writeTo(path);
}

struct Folder {
    fs::path root;
    std::vector<fs::path> modules; // the PE files
};

// count PE files: one in six a copy of the 64-bit sample, one the 32-bit sample, one a module
// without icons, one a small module with 1 to 5 groups, one a copy of the 200-group module
// (one in eight of those; the others a second sample copy), one a module without any
// resources. Every tenth of them has a file beside it that is named like a library but is
// none. perFolder: how many share a subfolder (0: five folders in all).
inline Folder MakeFolder(int count, const std::string& name = "glyphora-bench-scan", int perFolder = 0)
{
    Folder folder;
    folder.root = fs::temp_directory_path() / (name + "-" + std::to_string(count));
    fs::remove_all(folder.root);
    std::mt19937 random(12345);
    const char* extensions[] = {".dll", ".exe", ".ocx", ".DLL"};
    for (int i = 0; i < count; ++i) {
        const fs::path dir = perFolder > 0 ? folder.root / ("set" + std::to_string(i / perFolder))
                             : i % 5 == 0  ? folder.root
                                           : folder.root / ("set" + std::to_string(i % 5)) / "inner";
        fs::create_directories(dir);
        const fs::path path = dir / ("module" + std::to_string(i) + extensions[i % 4]);
        switch (i % 6) {
        case 0: fs::copy_file(kSamples / "glyphora-sample.dll", path); break;
        case 1: fs::copy_file(kSamples / "glyphora-sample32.dll", path); break;
        case 2: WriteModule(path, 0); break;
        case 3: WriteModule(path, 1 + i % 5); break;
        case 4: fs::copy_file(kSamples / (i % 8 == 4 ? "glyphora-many.dll" : "glyphora-sample.dll"), path); break;
        default: testing::PeBuilder().writeTo(path); break;
        }
        // Sizes from a few kilobytes to about 4 MB (sparse padding, so the disk is spared).
        PadTo(path, std::uniform_int_distribution<std::uintmax_t>(4096, 4u << 20)(random) >> (i % 3 * 4));
        folder.modules.push_back(path);
        if (i % 10 == 0) std::ofstream(dir / ("notes" + std::to_string(i) + ".dll")) << "not a module\n";
    }
    return folder;
}

} // namespace glyphora::bench
