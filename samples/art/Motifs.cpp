// Geometry and colours of the sample icons. Colours are chosen so that the 16-colour
// renderings still read well: every flat area lies close to one colour of the VGA palette.
#include "Motifs.h"

#include <cmath>
#include <numbers>

namespace glyphora::iconart {

namespace {
constexpr float kOutline = 0.022f;
}

void drawGlyphMark(Canvas& canvas)
{
    const Shape tile = roundedRect({0.06f, 0.06f}, {0.94f, 0.94f}, 0.2f);
    canvas.fillOutlined(tile, verticalGradient(rgb(0x1F4FE8), rgb(0x0A2A9A), 0.06f, 0.94f), rgb(0x001A60), kOutline);

    const Point centre{0.5f, 0.5f};
    const float radius = 0.25f, halfWidth = 0.075f;
    // The G is a ring opened at the upper right, with a bar reaching in from the right.
    Shape bowl = subtract(ring(centre, radius, halfWidth), roundedRect({0.62f, 0.0f}, {1.0f, 0.47f}, 0.0f));
    Shape bar = roundedRect({0.5f, 0.47f}, {centre.x + radius + halfWidth, 0.47f + 2 * halfWidth}, 0.0f);
    canvas.fill(unite(std::move(bowl), std::move(bar)), verticalGradient(rgb(0xFFFFFF), rgb(0xD8E4FF), 0.2f, 0.8f));
}

void drawFolder(Canvas& canvas)
{
    const Colour outline = rgb(0x7A4A00);
    canvas.fillOutlined(roundedRect({0.08f, 0.16f}, {0.46f, 0.36f}, 0.05f), solid(rgb(0xC88A10)), outline, kOutline);
    canvas.fillOutlined(roundedRect({0.08f, 0.26f}, {0.92f, 0.84f}, 0.05f), solid(rgb(0xD9A01C)), outline, kOutline);
    // The front flap is a little lower and a little wider at the top, like an open folder.
    canvas.fillOutlined(polygon({{0.12f, 0.38f}, {0.95f, 0.38f}, {0.92f, 0.84f}, {0.08f, 0.84f}}),
                        verticalGradient(rgb(0xFFE070), rgb(0xF2B430), 0.38f, 0.84f), outline, kOutline);
}

void drawStar(Canvas& canvas)
{
    std::vector<Point> corners;
    const Point centre{0.5f, 0.54f};
    for (int i = 0; i < 10; ++i) {
        const float radius = (i % 2 == 0) ? 0.44f : 0.19f;
        const float angle = -std::numbers::pi_v<float> / 2 + static_cast<float>(i) * std::numbers::pi_v<float> / 5;
        corners.push_back({centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
    }
    canvas.fillOutlined(polygon(std::move(corners)), verticalGradient(rgb(0xFFF27A), rgb(0xFFC800), 0.1f, 0.95f),
                        rgb(0x9A6000), kOutline);
}

void drawGear(Canvas& canvas)
{
    const Point centre{0.5f, 0.5f};
    Shape body = circle(centre, 0.3f);
    const Shape tooth = roundedRect({0.43f, 0.05f}, {0.57f, 0.3f}, 0.025f);
    for (int i = 0; i < 8; ++i)
        body = unite(std::move(body), rotated(tooth, centre, static_cast<float>(i) * std::numbers::pi_v<float> / 4));
    canvas.fillOutlined(subtract(std::move(body), circle(centre, 0.12f)),
                        verticalGradient(rgb(0xB8C4D0), rgb(0x6A7888), 0.05f, 0.95f), rgb(0x202838), kOutline);
}

void drawDocument(Canvas& canvas)
{
    const Colour outline = rgb(0x404040);
    const Shape page = polygon({{0.18f, 0.06f}, {0.62f, 0.06f}, {0.84f, 0.28f}, {0.84f, 0.94f}, {0.18f, 0.94f}});
    canvas.fillOutlined(page, solid(rgb(0xFFFFFF)), outline, kOutline);
    canvas.fillOutlined(polygon({{0.62f, 0.06f}, {0.62f, 0.28f}, {0.84f, 0.28f}}), solid(rgb(0xC0C0C0)), outline,
                        kOutline / 2);
    // Lines of "text": short first line beside the fold, then full lines.
    const float lineHeight = 0.045f;
    for (int i = 0; i < 6; ++i) {
        const float y = 0.22f + static_cast<float>(i) * 0.11f;
        const float right = i == 0 ? 0.52f : (i == 5 ? 0.58f : 0.74f);
        canvas.fill(roundedRect({0.28f, y}, {right, y + lineHeight}, 0.0f), solid(rgb(0x000080)));
    }
}

void drawMagnifier(Canvas& canvas)
{
    const Point lens{0.42f, 0.42f};
    canvas.fill(capsule({0.62f, 0.62f}, {0.88f, 0.88f}, 0.075f),
                verticalGradient(rgb(0xA03020), rgb(0x601008), 0.6f, 0.95f));
    canvas.fill(circle(lens, 0.26f), solid(rgb(0x80E0FF, 0.45f)));
    canvas.fill(ring(lens, 0.28f, 0.055f), verticalGradient(rgb(0xA0A0A0), rgb(0x404040), 0.1f, 0.75f));
    // A highlight on the glass.
    canvas.fill(capsule({0.3f, 0.3f}, {0.36f, 0.26f}, 0.035f), solid(rgb(0xFFFFFF, 0.8f)));
}

} // namespace glyphora::iconart
