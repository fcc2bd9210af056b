// Signed distance functions of the few primitives the sample art is made of.
#include "Shapes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace glyphora::iconart {

namespace {

float length(float x, float y)
{
    return std::sqrt(x * x + y * y);
}

// Distance from p to the segment ab.
float segmentDistance(Point p, Point a, Point b)
{
    const float abx = b.x - a.x, aby = b.y - a.y;
    const float apx = p.x - a.x, apy = p.y - a.y;
    const float lengthSquared = abx * abx + aby * aby;
    const float t = lengthSquared > 0 ? std::clamp((apx * abx + apy * aby) / lengthSquared, 0.0f, 1.0f) : 0.0f;
    return length(apx - t * abx, apy - t * aby);
}

} // namespace

Shape circle(Point centre, float radius)
{
    return [=](Point p) { return length(p.x - centre.x, p.y - centre.y) - radius; };
}

Shape ring(Point centre, float radius, float halfWidth)
{
    return [=](Point p) { return std::abs(length(p.x - centre.x, p.y - centre.y) - radius) - halfWidth; };
}

Shape roundedRect(Point topLeft, Point bottomRight, float cornerRadius)
{
    const Point centre{(topLeft.x + bottomRight.x) / 2, (topLeft.y + bottomRight.y) / 2};
    const float halfW = (bottomRight.x - topLeft.x) / 2 - cornerRadius;
    const float halfH = (bottomRight.y - topLeft.y) / 2 - cornerRadius;
    return [=](Point p) {
        const float qx = std::abs(p.x - centre.x) - halfW;
        const float qy = std::abs(p.y - centre.y) - halfH;
        const float outside = length(std::max(qx, 0.0f), std::max(qy, 0.0f));
        const float inside = std::min(std::max(qx, qy), 0.0f);
        return outside + inside - cornerRadius;
    };
}

Shape capsule(Point a, Point b, float radius)
{
    return [=](Point p) { return segmentDistance(p, a, b) - radius; };
}

Shape polygon(std::vector<Point> corners)
{
    return [corners = std::move(corners)](Point p) {
        float nearest = 1e9f;
        bool inside = false;
        for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
            const Point a = corners[i], b = corners[j];
            nearest = std::min(nearest, segmentDistance(p, a, b));
            // Even-odd crossing test along a horizontal ray to the right.
            if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
        }
        return inside ? -nearest : nearest;
    };
}

Shape unite(Shape a, Shape b)
{
    return [a = std::move(a), b = std::move(b)](Point p) { return std::min(a(p), b(p)); };
}

Shape subtract(Shape from, Shape cut)
{
    return [from = std::move(from), cut = std::move(cut)](Point p) { return std::max(from(p), -cut(p)); };
}

Shape grown(Shape shape, float amount)
{
    return [shape = std::move(shape), amount](Point p) { return shape(p) - amount; };
}

Shape rotated(Shape shape, Point centre, float radians)
{
    const float c = std::cos(radians), s = std::sin(radians);
    return [shape = std::move(shape), centre, c, s](Point p) {
        // Turning the shape by +angle is sampling it at the point turned by -angle.
        const float dx = p.x - centre.x, dy = p.y - centre.y;
        return shape(Point{centre.x + c * dx + s * dy, centre.y - s * dx + c * dy});
    };
}

} // namespace glyphora::iconart
