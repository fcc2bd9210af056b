// Decodes one icon image (the bytes of an RT_ICON resource or of one .ico entry) into an
// icon handle at its natural size. Images are DIBs of 1, 4, 8, 16, 24 or 32 bits per pixel
// (height field = twice the image height, XOR rows then AND rows) or PNG streams. All
// header values are untrusted: dimensions, palette sizes, row sizes and pixel indexes are
// checked, and a decoded image never exceeds kMaxIconPixels.
#pragma once

#include "raster/IconHandle.h"

#include <cstdint>
#include <optional>
#include <span>

namespace glyphora {

inline bool IsPngSignature(std::span<const std::uint8_t> bytes)
{
    static constexpr std::uint8_t sig[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    if (bytes.size() < 8) return false;
    for (int i = 0; i < 8; ++i)
        if (bytes[i] != sig[i]) return false;
    return true;
}

// Width, height and bit depth an image declares, read from its header only (no pixels).
struct IconImageInfo {
    int width = 0;
    int height = 0;
    int bitCount = 0; // bits per pixel (PNG: 32 for colour types with alpha, else channels * depth)
    bool isPng = false;
};
std::optional<IconImageInfo> ReadIconImageInfo(std::span<const std::uint8_t> image);

// The full decode; nullopt for anything malformed or over the pixel ceiling.
std::optional<IconHandle> DecodeIconImage(std::span<const std::uint8_t> image);

} // namespace glyphora
