// The pictures the PDF writer accepts as image objects: a bitmap (written as RGB), a palette
// image (written as an indexed image with a 256-entry palette) or JPEG file bytes (passed
// through with the DCT filter, never recompressed).
#pragma once

#include "raster/Bitmap.h"

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace glyphora {

// A bitmap of the platform layer. Every pixel carries its full colour, so any depth is
// written as 8-bit RGB. A 24-bit bitmap may name one colour (0x00RRGGBB) that stays
// transparent, written as a colour-key mask.
struct PdfBitmapImage {
    Bitmap bitmap;
    std::optional<std::uint32_t> transparentColor;
};

// A palette picture: one palette index per pixel, rows top-down; palette entries are
// 0x00RRGGBB. The PDF writer accepts only palettes of exactly 256 entries.
struct PdfIndexedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> palette;
    std::vector<std::uint8_t> indices; // width * height values
};

// The bytes of a JPEG file with three colour components and its size in pixels.
struct PdfJpegImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bytes;
};

using PdfImageSource = std::variant<PdfBitmapImage, PdfIndexedImage, PdfJpegImage>;

// Width and height in pixels of any picture kind.
int PdfImageWidth(const PdfImageSource& image);
int PdfImageHeight(const PdfImageSource& image);

} // namespace glyphora
