// Raster drawing of the platform layer (our counterpart of the GDI calls the system uses):
// drawing an icon with its mask, scaling an icon, and the conversions of a bitmap to the
// pixel formats of written images.
#pragma once

#include "raster/Bitmap.h"
#include "raster/IconHandle.h"

#include <cstdint>
#include <span>
#include <vector>

namespace glyphora {

// Draws the icon at its natural size with its top-left corner at (x, y), clipped to dst.
// Without alpha: dst = (dst AND mask) XOR colour. With alpha: Porter-Duff "over"; on a
// 32-bit destination the fourth byte becomes As + (1 - As) * Ad, on others it stays 0.
// A monochrome icon uses the two halves of its mask.
void DrawIcon(Bitmap& dst, const IconHandle& icon, int x, int y);

// Draws the icon scaled to width x height (DrawState at a cell size).
void DrawIconScaled(Bitmap& dst, const IconHandle& icon, int x, int y, int width, int height);

// A good-quality resampling of an icon to width x height (area averaging when shrinking,
// bilinear when growing; colour weighted by alpha; mask resampled to match).
IconHandle ScaleIcon(const IconHandle& icon, int width, int height);

// Index of the palette entry nearest to a colour (squared RGB distance, first wins a tie).
int NearestPaletteIndex(std::uint32_t rgb, std::span<const std::uint32_t> palette);

// The rows of a bitmap in a DIB pixel format: bottom-up, each row padded to 4 bytes.
// 1, 4 and 8 bits map every pixel to the nearest entry of the given palette; 24 bits write
// blue, green, red; 32 bits write blue, green, red and the fourth byte.
std::vector<std::uint8_t> DibRows(const Bitmap& bmp, int bitsPerPixel, std::span<const std::uint32_t> palette = {});

} // namespace glyphora
