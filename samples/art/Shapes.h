// Shapes for the sample icon art, given as signed distance fields over icon units: the icon
// spans 0..1 on both axes (y grows downwards) and a shape is negative inside, positive outside.
// Distances let one drawing serve every pixel size with smooth, anti-aliased edges.
#pragma once

#include <functional>
#include <vector>

namespace glyphora::iconart {

struct Point {
    float x = 0;
    float y = 0;
};

using Shape = std::function<float(Point)>;

Shape circle(Point centre, float radius);
Shape ring(Point centre, float radius, float halfWidth);
Shape roundedRect(Point topLeft, Point bottomRight, float cornerRadius);
Shape capsule(Point a, Point b, float radius);
Shape polygon(std::vector<Point> corners);

Shape unite(Shape a, Shape b);
Shape subtract(Shape from, Shape cut);
// The same shape grown outwards by `amount` (an outline drawn behind the shape).
Shape grown(Shape shape, float amount);
// The shape turned by `radians` around `centre`.
Shape rotated(Shape shape, Point centre, float radians);

} // namespace glyphora::iconart
