// What the end-to-end tests of glyphora-cli share: the bundled sample, running the tool, and
// reading back what it wrote.
#pragma once

#include "tests/support/RunTool.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace glyphora::testing {

inline const std::filesystem::path kBuildDir = GLYPHORA_BUILD_DIR;
inline const std::filesystem::path kSampleModule = kBuildDir / "samples" / "glyphora-sample.dll";
inline const std::filesystem::path kSampleIcon = kBuildDir / "samples" / "glyphora-sample.ico";

inline std::string ReadFileText(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The names of a folder's entries, sorted.
inline std::vector<std::string> FolderNames(const std::filesystem::path& dir)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The images of an .ico file, in directory order.
inline std::vector<std::string> IcoImages(const std::string& ico)
{
    std::vector<std::string> images;
    auto u16 = [&](std::size_t at) {
        return static_cast<unsigned char>(ico[at]) | (static_cast<unsigned char>(ico[at + 1]) << 8);
    };
    auto u32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(u16(at)) | (static_cast<std::uint32_t>(u16(at + 2)) << 16);
    };
    if (ico.size() < 6) return images;
    const int count = u16(4);
    for (int i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
        images.push_back(ico.substr(u32(entry + 12), u32(entry + 8)));
    }
    return images;
}

// glyphora-cli with the given (already quoted) arguments.
inline ToolResult RunCli(const std::string& args)
{
    return RunTool(ShellQuote(GLYPHORA_CLI_PATH) + " " + args);
}

} // namespace glyphora::testing
