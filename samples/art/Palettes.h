// The colour tables of the sample's palette images: the 16-colour VGA table of 4-bit images
// and the 256-entry table of 8-bit images, with a nearest-colour lookup.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace glyphora::iconart {

struct PaletteEntry {
    std::uint8_t r = 0, g = 0, b = 0;
};

std::span<const PaletteEntry> vgaPalette();  // 16 entries
std::span<const PaletteEntry> widePalette(); // 256 entries

// Index of the entry nearest to (r, g, b), weighted for how the eye sees the channels.
std::uint8_t nearestIndex(std::span<const PaletteEntry> palette, std::uint8_t r, std::uint8_t g, std::uint8_t b);

} // namespace glyphora::iconart
