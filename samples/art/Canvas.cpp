// Coverage-based filling: a pixel's coverage comes from the shape's distance at the pixel
// centre measured in pixels, which gives a one-pixel soft edge at every size.
#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace glyphora::iconart {

Colour rgb(std::uint32_t rrggbb, float alpha)
{
    return Colour{static_cast<float>((rrggbb >> 16) & 0xFF) / 255.0f, static_cast<float>((rrggbb >> 8) & 0xFF) / 255.0f,
                  static_cast<float>(rrggbb & 0xFF) / 255.0f, alpha};
}

Paint solid(Colour colour)
{
    return [colour](Point) { return colour; };
}

Paint verticalGradient(Colour top, Colour bottom, float y0, float y1)
{
    return [=](Point p) {
        const float t = std::clamp((p.y - y0) / (y1 - y0), 0.0f, 1.0f);
        return Colour{top.r + (bottom.r - top.r) * t, top.g + (bottom.g - top.g) * t, top.b + (bottom.b - top.b) * t,
                      top.a + (bottom.a - top.a) * t};
    };
}

Canvas::Canvas(int size) : size_(size), pixels_(static_cast<std::size_t>(size) * static_cast<std::size_t>(size)) {}

void Canvas::fill(const Shape& shape, const Paint& paint)
{
    const float pixelsPerUnit = static_cast<float>(size_);
    for (int y = 0; y < size_; ++y) {
        for (int x = 0; x < size_; ++x) {
            const Point centre{(static_cast<float>(x) + 0.5f) / pixelsPerUnit,
                               (static_cast<float>(y) + 0.5f) / pixelsPerUnit};
            const float coverage = std::clamp(0.5f - shape(centre) * pixelsPerUnit, 0.0f, 1.0f);
            if (coverage <= 0) continue;
            const Colour c = paint(centre);
            const float alpha = c.a * coverage;
            Premultiplied& d =
                pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(size_) + static_cast<std::size_t>(x)];
            d.r = c.r * alpha + d.r * (1 - alpha);
            d.g = c.g * alpha + d.g * (1 - alpha);
            d.b = c.b * alpha + d.b * (1 - alpha);
            d.a = alpha + d.a * (1 - alpha);
        }
    }
}

void Canvas::fillOutlined(const Shape& shape, const Paint& paint, Colour outline, float width)
{
    // Small icons keep a full-pixel outline; a thinner one would fade into the soft edge.
    fill(grown(shape, std::max(width, 1.0f / static_cast<float>(size_))), solid(outline));
    fill(shape, paint);
}

RgbaImage Canvas::toRgba() const
{
    RgbaImage image{size_, {}};
    image.rgba.reserve(pixels_.size() * 4);
    const auto toByte = [](float v) {
        return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
    };
    for (const Premultiplied& p : pixels_) {
        const float unpremultiply = p.a > 0 ? 1.0f / p.a : 0.0f;
        image.rgba.push_back(toByte(p.r * unpremultiply));
        image.rgba.push_back(toByte(p.g * unpremultiply));
        image.rgba.push_back(toByte(p.b * unpremultiply));
        image.rgba.push_back(toByte(p.a));
    }
    return image;
}

} // namespace glyphora::iconart
