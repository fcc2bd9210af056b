// Colour-depth classes of icon images and the fixed colour table behind them: which class an
// image's pixels fall into, and what bit depth, palette size and label each class stands for.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace glyphora {

// The depth class of an image. Values outside 0..4 can reach us from callers and are treated
// as 24 bits wherever an image header is built.
enum class IconColorDepth : int { Bits1 = 0, Bits4 = 1, Bits8 = 2, Bits24 = 3, Bits32 = 4 };

constexpr std::size_t kStandardColorCount = 266;
constexpr std::size_t kStandardPaletteSize = 256;
constexpr std::size_t kBaseColorCount = 20;
constexpr std::size_t kVgaColorCount = 14;

// The 266 colours (0x00RRGGBB): entries 0..19 are the base colours of the classification,
// entries 10..265 form the 8-bit palette; 256..265 repeat 0..9.
const std::array<std::uint32_t, kStandardColorCount>& StandardColorTable();

// The 256-entry palette of 8-bit images: index k is table entry k + 10.
std::span<const std::uint32_t, kStandardPaletteSize> StandardPalette();

// The 14 colours that, besides black and white, make up the 16-colour set.
const std::array<std::uint32_t, kVgaColorCount>& VgaColors();

// The 16-colour palette of 4-bit images in the standard VGA order:
// black, the dark colours, the two greys, the bright colours, white.
const std::array<std::uint32_t, 16>& VgaPalette();

// The class of an image from its pixel values in storage order (0x00RRGGBB, a non-zero
// fourth byte meaning alpha).
IconColorDepth ClassifyColorDepth(std::span<const std::uint32_t> pixels);

// The label the status report shows for a class: "1", "4", "8", "24" or "32".
std::string ColorDepthLabel(IconColorDepth depth);

// Bits per pixel of a written image of the class (1, 4, 8, 24, 32; others 24).
int ColorDepthBitsPerPixel(IconColorDepth depth);

// biClrUsed of a written image of the class (2, 16, 256, 0, 0; others 0).
std::uint32_t ColorDepthColorsUsed(IconColorDepth depth);

// Bytes of palette behind the header (4 per colour used).
std::uint32_t ColorDepthPaletteBytes(IconColorDepth depth);

} // namespace glyphora
