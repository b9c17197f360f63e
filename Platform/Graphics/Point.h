#pragma once
// A position in a drawing space (y grows downwards). Stands in for the platform's
// point type; a plain value owned by whoever holds it.

#include <cmath>
#include <cstddef>

#include "Platform/Graphics/HashCombine.h"

namespace platform::graphics {

struct Point {
    double x = 0;
    double y = 0;

    constexpr Point() = default;
    constexpr Point(double xValue, double yValue) : x(xValue), y(yValue) {}

    static constexpr Point zero() { return {}; }

    constexpr Point operator+(Point other) const { return {x + other.x, y + other.y}; }
    constexpr Point operator-(Point other) const { return {x - other.x, y - other.y}; }
    constexpr Point operator*(double factor) const { return {x * factor, y * factor}; }
    constexpr Point operator-() const { return {-x, -y}; }

    double distanceTo(Point other) const { return std::hypot(other.x - x, other.y - y); }

    constexpr bool operator==(const Point&) const = default;
};

}  // namespace platform::graphics

template <>
struct std::hash<platform::graphics::Point> {
    std::size_t operator()(const platform::graphics::Point& point) const noexcept {
        std::size_t seed = platform::graphics::hashDouble(point.x);
        platform::graphics::hashCombine(seed, platform::graphics::hashDouble(point.y));
        return seed;
    }
};
