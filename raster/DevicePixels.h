// Logical and physical pixels: on a HiDPI screen one logical pixel covers devicePixelRatio
// physical pixels a side. Views lay icons out in logical pixels and draw them from images of
// the physical size.
#pragma once

#include <algorithm>
#include <cmath>

namespace glyphora {

// No screen needs more than this many physical pixels a logical one.
inline constexpr double kMaxDevicePixelRatio = 8.0;

// The physical pixels a logical size covers at a device pixel ratio (at least the logical
// size: a ratio below 1, or not a number, counts as 1).
inline int DevicePixelSize(int logicalSize, double devicePixelRatio)
{
    if (!(devicePixelRatio > 1.0)) return logicalSize;
    const double ratio = std::min(devicePixelRatio, kMaxDevicePixelRatio);
    return static_cast<int>(std::ceil(logicalSize * ratio - 1e-9));
}

} // namespace glyphora
