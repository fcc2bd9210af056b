// A square drawing surface for the sample icon art: shapes are filled with anti-aliased edges
// and composited "over" what is already there, so one drawing renders at any icon size.
#pragma once

#include "Shapes.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace glyphora::iconart {

// A straight (not premultiplied) colour, every channel 0..1.
struct Colour {
    float r = 0;
    float g = 0;
    float b = 0;
    float a = 1;
};

// 0xRRGGBB with an optional opacity.
Colour rgb(std::uint32_t rrggbb, float alpha = 1.0f);

using Paint = std::function<Colour(Point)>;

Paint solid(Colour colour);
// A top-to-bottom blend from `top` at y = y0 to `bottom` at y = y1.
Paint verticalGradient(Colour top, Colour bottom, float y0, float y1);

// Straight RGBA bytes, rows top-down, 4 bytes a pixel.
struct RgbaImage {
    int size = 0;
    std::vector<std::uint8_t> rgba;
};

class Canvas {
public:
    explicit Canvas(int size);

    int size() const { return size_; }
    void fill(const Shape& shape, const Paint& paint);
    // Fills `outline` behind `shape`, grown by `width` units
    // (at least one pixel), then the shape itself.
    void fillOutlined(const Shape& shape, const Paint& paint, Colour outline, float width);
    RgbaImage toRgba() const;

private:
    struct Premultiplied {
        float r = 0, g = 0, b = 0, a = 0;
    };
    int size_;
    std::vector<Premultiplied> pixels_;
};

} // namespace glyphora::iconart
