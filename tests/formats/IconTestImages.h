// Test-only builders for icon images: DIB icon images of any depth, PNG streams written
// with libpng, and .ico directories around them. Pixel functions take top-down
// coordinates; the builders store rows bottom-up as the format wants.
#pragma once

#include "raster/Bitmap.h"

#include <png.h>
#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace glyphora::testimages {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& b, std::uint32_t v)
{
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void Put32(Bytes& b, std::uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
inline void Set32(Bytes& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

struct DibSpec {
    int width = 1;
    int height = 1;
    int bitCount = 24;
    std::vector<std::uint32_t> palette;   // written as RGBQUADs; biClrUsed = its size
    std::vector<std::uint32_t> bitfields; // red, green, blue masks: BI_BITFIELDS when set
    // Palette index (1-8 bits) or the raw pixel value (16, 24, 32 bits) at (x, y).
    std::function<std::uint32_t(int, int)> value = [](int, int) { return 0u; };
    std::function<bool(int, int)> transparent = [](int, int) { return false; };
    bool withMask = true;
};

inline Bytes MakeDib(const DibSpec& s)
{
    Bytes b;
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(s.width));
    Put32(b, static_cast<std::uint32_t>(s.height * 2));
    Put16(b, 1);
    Put16(b, static_cast<std::uint32_t>(s.bitCount));
    Put32(b, s.bitfields.empty() ? 0 : 3);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, static_cast<std::uint32_t>(s.palette.size()));
    Put32(b, 0);
    for (auto m : s.bitfields)
        Put32(b, m);
    for (auto c : s.palette)
        Put32(b, c & 0x00FFFFFF);
    auto rows = [&](int bits, const std::function<std::uint32_t(int, int)>& value) {
        const std::size_t stride = (static_cast<std::size_t>(s.width) * bits + 31) / 32 * 4;
        for (int y = s.height - 1; y >= 0; --y) {
            Bytes row(stride, 0);
            for (int x = 0; x < s.width; ++x) {
                const std::uint32_t v = value(x, y);
                const std::size_t bit = static_cast<std::size_t>(x) * bits;
                if (bits <= 8)
                    row[bit / 8] = static_cast<std::uint8_t>(row[bit / 8] | (v << (8 - bits - bit % 8)));
                else
                    for (int i = 0; i < bits / 8; ++i)
                        row[bit / 8 + i] = static_cast<std::uint8_t>(v >> (8 * i));
            }
            b.insert(b.end(), row.begin(), row.end());
        }
    };
    rows(s.bitCount, s.value);
    if (s.withMask) rows(1, [&](int x, int y) { return s.transparent(x, y) ? 1u : 0u; });
    return b;
}

// A uniform opaque 24-bit DIB of one colour: handy to tell images apart after a choice.
inline Bytes UniformDib(int width, int height, std::uint32_t rgb, int bitCount = 24)
{
    DibSpec s;
    s.width = width;
    s.height = height;
    s.bitCount = bitCount;
    if (bitCount <= 8) {
        s.palette = {rgb};
        s.value = [](int, int) { return 0u; };
    } else {
        s.value = [rgb](int, int) { return rgb; };
    }
    return MakeDib(s);
}

// A PNG stream of 0xAARRGGBB pixels (row-major, top-down); withAlpha picks RGBA over RGB.
inline Bytes MakePng(int width, int height, const std::vector<std::uint32_t>& pixels, bool withAlpha)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = withAlpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
    const int channels = withAlpha ? 4 : 3;
    Bytes raw;
    for (auto p : pixels)
        for (int c = 0; c < channels; ++c)
            raw.push_back(static_cast<std::uint8_t>(p >> (8 * c)));
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, raw.data(), 0, nullptr)) return {};
    Bytes out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, raw.data(), 0, nullptr)) return {};
    out.resize(size);
    return out;
}

// Rewrites the IHDR width and height of a PNG stream, keeping its checksum valid.
inline Bytes WithPngHeaderSize(Bytes png, std::uint32_t width, std::uint32_t height)
{
    auto putBig = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            png[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
    };
    putBig(16, width);
    putBig(20, height);
    putBig(29, static_cast<std::uint32_t>(crc32(0, png.data() + 12, 17)));
    return png;
}

struct IcoEntry {
    Bytes image;
    int width = 0; // as listed in the directory (256 written as 0)
    int height = 0;
    int bitCount = 32;
    std::optional<std::uint32_t> sizeOverride;   // dwBytesInRes written instead of the real size
    std::optional<std::uint32_t> offsetOverride; // dwImageOffset written instead of the real one
};

inline IcoEntry Entry(Bytes image, int width, int height)
{
    IcoEntry e;
    e.image = std::move(image);
    e.width = width;
    e.height = height;
    return e;
}

inline Bytes MakeIco(const std::vector<IcoEntry>& entries, std::optional<std::uint16_t> countOverride = {})
{
    Bytes b;
    Put16(b, 0);
    Put16(b, 1);
    Put16(b, countOverride.value_or(static_cast<std::uint16_t>(entries.size())));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (const auto& e : entries) {
        b.push_back(static_cast<std::uint8_t>(e.width));
        b.push_back(static_cast<std::uint8_t>(e.height));
        b.push_back(0);
        b.push_back(0);
        Put16(b, 1);
        Put16(b, static_cast<std::uint32_t>(e.bitCount));
        Put32(b, e.sizeOverride.value_or(static_cast<std::uint32_t>(e.image.size())));
        Put32(b, e.offsetOverride.value_or(offset));
        offset += static_cast<std::uint32_t>(e.image.size());
    }
    for (const auto& e : entries)
        b.insert(b.end(), e.image.begin(), e.image.end());
    return b;
}

// Group icon resource bytes (GRPICONDIR + 14-byte entries) naming the given image ids.
inline Bytes MakeGroup(const std::vector<std::uint16_t>& ids, std::optional<std::uint16_t> countOverride = {})
{
    Bytes b;
    Put16(b, 0);
    Put16(b, 1);
    Put16(b, countOverride.value_or(static_cast<std::uint16_t>(ids.size())));
    for (auto id : ids) {
        for (int i = 0; i < 4; ++i)
            b.push_back(0);
        Put16(b, 1);
        Put16(b, 32);
        Put32(b, 0);
        Put16(b, id);
    }
    return b;
}

} // namespace glyphora::testimages
