// Writes the device-independent bitmap parts shared by the BMP file and the metafile:
// little-endian fields, the 40-byte BITMAPINFOHEADER and the bottom-up pixel rows.
#pragma once

#include "raster/Bitmap.h"

#include <cstdint>
#include <vector>

namespace glyphora {

void AppendU16(std::vector<std::uint8_t>& out, std::uint16_t value);
void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t value);
void AppendI32(std::vector<std::uint8_t>& out, std::int32_t value);

constexpr std::uint32_t kBitmapInfoHeaderSize = 40;

// Bytes of the pixel rows of a DIB of this bitmap at dibBits (24 or 32) bits per pixel, each
// row padded to a multiple of four bytes. Throws GlyphoraError when the total does not fit
// the 32-bit size fields of the formats.
std::uint32_t DibPixelBytes(const Bitmap& bitmap, int dibBits);

// BITMAPINFOHEADER of an uncompressed (BI_RGB) bottom-up DIB with no colour table, at 96 DPI.
void AppendBitmapInfoHeader(std::vector<std::uint8_t>& out, const Bitmap& bitmap, int dibBits);

// The pixel rows, bottom row first, blue-green-red(-fourth byte) per pixel, padded to 4.
void AppendDibPixels(std::vector<std::uint8_t>& out, const Bitmap& bitmap, int dibBits);

} // namespace glyphora
