// The icon extraction service (our counterpart of ExtractIcon / ExtractIconEx): how many
// icons a file holds and the icons themselves at a requested square size. A module gives
// one icon per group icon resource, in group order; an .ico file gives one icon; any other
// file gives none. For each group the image that best fits the size is chosen (exact size
// first, then the nearest larger, then the nearest smaller; the deeper colour wins a tie)
// and scaled with good quality when it does not match.
#pragma once

#include "raster/IconHandle.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace glyphora {

// The usual system metrics: large 32 x 32, small 16 x 16.
constexpr int kLargeIconSize = 32;
constexpr int kSmallIconSize = 16;

// Counts icons without decoding any image: group count of a module, 1 for a readable .ico
// file (at least one image in its directory), else 0.
int CountFileIcons(const std::filesystem::path& path);

// True when icon 0 of the file can be delivered (ExtractIcon(file, 0) != 0).
bool FileHasIcons(const std::filesystem::path& path);

// All icons of the file at size x size pixels. Element i is icon i; an icon whose images
// cannot be decoded is a null handle that keeps its place. Empty when the file has none.
std::vector<IconHandle> ExtractFileIcons(const std::filesystem::path& path, int size);

// The icons of ExtractFileIcons(path, size), and whether the file changed while they were
// read (a truncated or rewritten file: some icons may then be null or missing).
struct ExtractedIcons {
    std::vector<IconHandle> icons;
    bool sourceChanged = false;
};
ExtractedIcons ExtractFileIconsChecked(const std::filesystem::path& path, int size);

// Icons first .. first + count - 1 only (same rules), for callers that walk a file.
std::vector<IconHandle> ExtractFileIcons(const std::filesystem::path& path, int size, int first, int count);

// The icons first .. first + count - 1 of a module already opened (the module path of
// ExtractFileIcons; callers holding a module use it directly).
class ModuleResources;
std::vector<IconHandle> ExtractModuleIcons(const ModuleResources& module, int size, int first, int count);

// Chooses and scales the best image out of an icon directory (the bytes of an .ico file)
// at size x size. A null handle when nothing decodes.
IconHandle IconFromIcoBytes(std::span<const std::uint8_t> icoBytes, int size);

} // namespace glyphora
