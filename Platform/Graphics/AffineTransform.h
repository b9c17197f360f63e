#pragma once
// A 2-D affine transform. Points are row vectors multiplied on the left:
//   x' = a*x + c*y + tx,   y' = b*x + d*y + ty.
// With y growing downwards, a positive rotation angle turns clockwise on screen.
// "translatedBy", "scaledBy" and "rotatedBy" put the new step before the receiver
// (it applies to points first), and a.concatenating(b) applies a, then b.
// Stands in for the platform's affine transform; a plain value.

#include <cstddef>
#include <optional>
#include <utility>

#include "Platform/Graphics/HashCombine.h"
#include "Platform/Graphics/Point.h"
#include "Platform/Graphics/Size.h"

namespace platform::graphics {

struct AffineTransform {
    double a = 1;
    double b = 0;
    double c = 0;
    double d = 1;
    double tx = 0;
    double ty = 0;

    constexpr AffineTransform() = default;
    constexpr AffineTransform(double aValue, double bValue, double cValue, double dValue, double txValue,
                              double tyValue)
        : a(aValue), b(bValue), c(cValue), d(dValue), tx(txValue), ty(tyValue) {}

    static constexpr AffineTransform identity() { return {}; }
    static constexpr AffineTransform makeTranslation(double x, double y) { return {1, 0, 0, 1, x, y}; }
    static constexpr AffineTransform makeScale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
    static AffineTransform makeRotation(double angle);

    bool isIdentity() const { return *this == identity(); }

    AffineTransform translatedBy(double x, double y) const;
    AffineTransform scaledBy(double sx, double sy) const;
    AffineTransform rotatedBy(double angle) const;
    // The receiver first, then `other`.
    AffineTransform concatenating(const AffineTransform& other) const;

    double determinant() const { return a * d - b * c; }
    // How far the transform stretches at most and at least: the singular
    // values of its linear part, largest first.
    std::pair<double, double> stretches() const;
    bool isInvertible() const;
    // Nothing when the transform collapses the plane (or holds a non-finite entry).
    std::optional<AffineTransform> inverted() const;

    constexpr Point apply(Point point) const {
        return {a * point.x + c * point.y + tx, b * point.x + d * point.y + ty};
    }
    // A size is a displacement: the translation does not apply to it.
    constexpr Size apply(Size size) const {
        return {a * size.width + c * size.height, b * size.width + d * size.height};
    }

    constexpr bool operator==(const AffineTransform&) const = default;
};

}  // namespace platform::graphics

template <>
struct std::hash<platform::graphics::AffineTransform> {
    std::size_t operator()(const platform::graphics::AffineTransform& t) const noexcept {
        using platform::graphics::hashCombine;
        using platform::graphics::hashDouble;
        std::size_t seed = hashDouble(t.a);
        for (double value : {t.b, t.c, t.d, t.tx, t.ty}) {
            hashCombine(seed, hashDouble(value));
        }
        return seed;
    }
};
