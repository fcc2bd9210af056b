// Turns rendered sample art into icon image bytes (DIB or PNG) and packs images into .ico files.
#pragma once

#include "Canvas.h"

#include <cstdint>
#include <span>
#include <vector>

namespace glyphora::iconart {

enum class Encoding {
    Dib4,  // 16 VGA colours + AND mask
    Dib8,  // 256-entry palette + AND mask
    Dib32, // BGRA with real alpha + AND mask
    Png,   // an RGBA PNG stream, the usual form of 256 x 256 images
};

struct EncodedImage {
    int size = 0;     // width and height in pixels
    int bitCount = 0; // bits per pixel as the icon directory states it
    std::vector<std::uint8_t> bytes;
};

EncodedImage encodeImage(const RgbaImage& image, Encoding encoding);

// The bitmap form of an icon image: header, palette, XOR rows, AND rows (bottom-up, rows
// padded to 4 bytes). biSizeImage holds the real size of the XOR and AND data.
std::vector<std::uint8_t> encodeDib(const RgbaImage& image, int bitCount);
std::vector<std::uint8_t> encodePng(const RgbaImage& image);

// A whole .ico file: directory, then the images back to back in entry order.
std::vector<std::uint8_t> buildIcoFile(std::span<const EncodedImage> images);

// Little-endian appends shared by the writers.
void putU16(std::vector<std::uint8_t>& out, std::uint32_t value);
void putU32(std::vector<std::uint8_t>& out, std::uint32_t value);

} // namespace glyphora::iconart
