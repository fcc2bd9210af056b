// Icons for screens with more than one physical pixel per logical one (HiDPI): a view lays
// an icon out at its logical size and draws it from the group image that fits the physical
// pixels it covers, so that at a device pixel ratio of 2 a 32 x 32 cell shows the group's
// 64 x 64 image (or the nearest that the group holds) instead of the 32 x 32 image scaled up.
// Layout, exports and printing stay in logical pixels.
#pragma once

#include "raster/DevicePixels.h"
#include "raster/IconHandle.h"

#include <filesystem>
#include <vector>

namespace glyphora {

// Icons first .. first + count - 1 of a file, each chosen and scaled for logicalSize at the
// ratio (ExtractFileIcons at the physical size).
std::vector<IconHandle> ExtractDeviceIcons(const std::filesystem::path& path, int logicalSize, double devicePixelRatio,
                                           int first, int count);

} // namespace glyphora
