// The raster bitmap of the platform layer (our counterpart of a device-independent bitmap).
// Pixels are kept one 32-bit value each, 0xAARRGGBB (blue in the lowest byte), rows top-down;
// bitsPerPixel records the format the bitmap stands for (1, 4, 8, 24 or 32), which decides how
// it is written and whether grey conversion applies. Only 32-bit bitmaps carry a meaningful
// fourth byte; for the others it is 0.
#pragma once

#include <cstdint>
#include <vector>

namespace glyphora {

constexpr std::uint32_t kWhite = 0x00FFFFFF;
constexpr std::uint32_t kBlack = 0x00000000;

struct Bitmap {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;
    std::vector<std::uint32_t> pixels; // width * height values, row 0 is the top row

    Bitmap() = default;
    Bitmap(int w, int h, int bpp = 24, std::uint32_t fill = kWhite)
        : width(w),
          height(h),
          bitsPerPixel(bpp),
          pixels(static_cast<std::size_t>(w > 0 ? w : 0) * static_cast<std::size_t>(h > 0 ? h : 0), fill)
    {}

    bool empty() const { return width <= 0 || height <= 0; }
    std::uint32_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

inline std::uint8_t BlueOf(std::uint32_t p)
{
    return static_cast<std::uint8_t>(p);
}
inline std::uint8_t GreenOf(std::uint32_t p)
{
    return static_cast<std::uint8_t>(p >> 8);
}
inline std::uint8_t RedOf(std::uint32_t p)
{
    return static_cast<std::uint8_t>(p >> 16);
}
inline std::uint8_t AlphaOf(std::uint32_t p)
{
    return static_cast<std::uint8_t>(p >> 24);
}
inline std::uint32_t MakePixel(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 0)
{
    return (static_cast<std::uint32_t>(a) << 24) | (static_cast<std::uint32_t>(r) << 16) |
           (static_cast<std::uint32_t>(g) << 8) | b;
}

} // namespace glyphora
