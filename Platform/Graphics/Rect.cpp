#include "Platform/Graphics/Rect.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Platform/Graphics/AffineTransform.h"

namespace platform::graphics {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// The infinite rectangle spans the whole finite range, centred on the origin, so
// that its edges stay finite and arithmetic on them does not overflow.
constexpr double kInfiniteSize = std::numeric_limits<double>::max();
constexpr double kInfiniteOrigin = -kInfiniteSize / 2;

}  // namespace

Rect Rect::null() { return Rect(kInfinity, kInfinity, 0, 0); }

Rect Rect::infinite() { return Rect(kInfiniteOrigin, kInfiniteOrigin, kInfiniteSize, kInfiniteSize); }

bool Rect::isNull() const { return origin.x == kInfinity || origin.y == kInfinity; }

bool Rect::isInfinite() const { return *this == infinite(); }

bool Rect::isEmpty() const { return isNull() || size.width == 0 || size.height == 0; }

Rect Rect::standardized() const {
    if (isNull()) {
        return null();
    }
    Rect result = *this;
    if (result.size.width < 0) {
        result.origin.x += result.size.width;
        result.size.width = -result.size.width;
    }
    if (result.size.height < 0) {
        result.origin.y += result.size.height;
        result.size.height = -result.size.height;
    }
    return result;
}

double Rect::minX() const { return standardized().origin.x; }
double Rect::minY() const { return standardized().origin.y; }
double Rect::width() const { return isNull() ? 0 : std::fabs(size.width); }
double Rect::height() const { return isNull() ? 0 : std::fabs(size.height); }
double Rect::maxX() const { return minX() + width(); }
double Rect::maxY() const { return minY() + height(); }
double Rect::midX() const { return minX() + width() / 2; }
double Rect::midY() const { return minY() + height() / 2; }

bool Rect::contains(Point point) const {
    if (isNull()) {
        return false;
    }
    return point.x >= minX() && point.x < maxX() && point.y >= minY() && point.y < maxY();
}

bool Rect::contains(const Rect& other) const {
    if (isNull() || other.isNull()) {
        return false;
    }
    return other.minX() >= minX() && other.maxX() <= maxX() && other.minY() >= minY() &&
           other.maxY() <= maxY();
}

bool Rect::intersects(const Rect& other) const { return !intersection(other).isNull(); }

Rect Rect::unionWith(const Rect& other) const {
    if (isNull()) {
        return other.standardized();
    }
    if (other.isNull()) {
        return standardized();
    }
    if (isInfinite() || other.isInfinite()) {
        return infinite();
    }
    const double x0 = std::min(minX(), other.minX());
    const double y0 = std::min(minY(), other.minY());
    const double x1 = std::max(maxX(), other.maxX());
    const double y1 = std::max(maxY(), other.maxY());
    return Rect(x0, y0, x1 - x0, y1 - y0);
}

Rect Rect::intersection(const Rect& other) const {
    if (isNull() || other.isNull()) {
        return null();
    }
    if (isInfinite()) {
        return other.standardized();
    }
    if (other.isInfinite()) {
        return standardized();
    }
    const double x0 = std::max(minX(), other.minX());
    const double y0 = std::max(minY(), other.minY());
    const double x1 = std::min(maxX(), other.maxX());
    const double y1 = std::min(maxY(), other.maxY());
    if (x1 < x0 || y1 < y0) {
        return null();
    }
    return Rect(x0, y0, x1 - x0, y1 - y0);
}

Rect Rect::insetBy(double dx, double dy) const {
    if (isNull()) {
        return null();
    }
    Rect result = standardized();
    result.origin.x += dx;
    result.origin.y += dy;
    result.size.width -= 2 * dx;
    result.size.height -= 2 * dy;
    if (result.size.width < 0 || result.size.height < 0) {
        return null();
    }
    return result;
}

Rect Rect::offsetBy(double dx, double dy) const {
    if (isNull()) {
        return null();
    }
    Rect result = standardized();
    result.origin.x += dx;
    result.origin.y += dy;
    return result;
}

Rect Rect::applying(const AffineTransform& transform) const {
    if (isNull()) {
        return null();
    }
    if (isInfinite()) {
        return infinite();
    }
    const Point corners[4] = {
        transform.apply(Point(minX(), minY())),
        transform.apply(Point(maxX(), minY())),
        transform.apply(Point(maxX(), maxY())),
        transform.apply(Point(minX(), maxY())),
    };
    double x0 = corners[0].x, y0 = corners[0].y, x1 = corners[0].x, y1 = corners[0].y;
    for (const Point& corner : corners) {
        x0 = std::min(x0, corner.x);
        y0 = std::min(y0, corner.y);
        x1 = std::max(x1, corner.x);
        y1 = std::max(y1, corner.y);
    }
    return Rect(x0, y0, x1 - x0, y1 - y0);
}

}  // namespace platform::graphics
