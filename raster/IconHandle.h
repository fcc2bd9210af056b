// Our equivalent of an icon handle: the natural size, an optional colour (XOR) image and a
// 1-bit AND mask. The colour image is 32-bit BGRA; its fourth byte is real alpha only when
// hasAlpha is set (a 32-bit source with some non-zero alpha), otherwise 0. Mask pixels are
// kBlack (opaque: keep the colour) or kWhite (transparent: keep the destination), with
// bitsPerPixel 1. A monochrome icon has no colour image and a mask twice the icon's height:
// the upper half is the AND mask, the lower half the XOR image.
#pragma once

#include "raster/Bitmap.h"

#include <cstdint>
#include <optional>

namespace glyphora {

// The pixel ceiling of every icon image: nothing is decoded, scaled or drawn larger.
constexpr std::uint64_t kMaxIconPixels = 16u * 1024u * 1024u;

struct IconHandle {
    int width = 0;
    int height = 0;
    std::optional<Bitmap> color;
    Bitmap mask;
    bool hasAlpha = false;

    // A null handle still occupies its place in an icon list.
    bool isNull() const { return width <= 0 || height <= 0; }
};

} // namespace glyphora
