#pragma once
// An axis-aligned rectangle: an origin and a size that may be negative. Stands in
// for the platform's rectangle type, with its null rectangle (the result of
// intersecting disjoint rectangles, neutral under union) and its infinite one.
// Edges are read through the standardised form, so minX <= maxX always holds.

#include <cstddef>

#include "Platform/Graphics/HashCombine.h"
#include "Platform/Graphics/Point.h"
#include "Platform/Graphics/Size.h"

namespace platform::graphics {

struct AffineTransform;

struct Rect {
    Point origin;
    Size size;

    constexpr Rect() = default;
    constexpr Rect(Point originValue, Size sizeValue) : origin(originValue), size(sizeValue) {}
    constexpr Rect(double x, double y, double width, double height) : origin(x, y), size(width, height) {}

    static constexpr Rect zero() { return {}; }
    static Rect null();
    static Rect infinite();

    bool isNull() const;
    bool isInfinite() const;
    // True for the null rectangle and for one without area.
    bool isEmpty() const;

    // The same area with a non-negative width and height.
    Rect standardized() const;

    double minX() const;
    double midX() const;
    double maxX() const;
    double minY() const;
    double midY() const;
    double maxY() const;
    // Never negative, whichever way the size points.
    double width() const;
    double height() const;

    // Half-open: the minimum edges belong to the rectangle, the maximum edges do not.
    bool contains(Point point) const;
    bool contains(const Rect& other) const;
    // True when the two overlap (touching edges count as an overlap of no area).
    bool intersects(const Rect& other) const;

    // The null rectangle is neutral: the union with it is the other rectangle.
    Rect unionWith(const Rect& other) const;
    // The null rectangle when the two do not meet.
    Rect intersection(const Rect& other) const;
    // Moves every edge inwards (outwards for negative amounts); null when the
    // rectangle would turn inside out.
    Rect insetBy(double dx, double dy) const;
    Rect offsetBy(double dx, double dy) const;
    // The smallest rectangle holding the four transformed corners.
    Rect applying(const AffineTransform& transform) const;

    constexpr bool operator==(const Rect&) const = default;
};

}  // namespace platform::graphics

template <>
struct std::hash<platform::graphics::Rect> {
    std::size_t operator()(const platform::graphics::Rect& rect) const noexcept {
        std::size_t seed = std::hash<platform::graphics::Point>{}(rect.origin);
        platform::graphics::hashCombine(seed, std::hash<platform::graphics::Size>{}(rect.size));
        return seed;
    }
};
