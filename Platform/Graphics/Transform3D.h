#pragma once
// A 4x4 transform of doubles, m11..m44 row by row. Points are row vectors
// multiplied on the left, so the bottom row (m41, m42, m43) holds the translation.
// concat(a, b) applies a, then b. translate, scale and rotate put their new step
// before the receiver: t.translate(...) moves a point first and then applies t.
// With y growing downwards, a positive rotation about z turns clockwise on screen.
// Stands in for the platform's 3-D layer transform; a plain value.

#include <array>
#include <cstddef>

#include "Platform/Graphics/AffineTransform.h"
#include "Platform/Graphics/HashCombine.h"
#include "Platform/Graphics/Point.h"

namespace platform::graphics {

struct Transform3D {
    double m11 = 1, m12 = 0, m13 = 0, m14 = 0;
    double m21 = 0, m22 = 1, m23 = 0, m24 = 0;
    double m31 = 0, m32 = 0, m33 = 1, m34 = 0;
    double m41 = 0, m42 = 0, m43 = 0, m44 = 1;

    static constexpr Transform3D identity() { return {}; }
    static Transform3D makeTranslation(double tx, double ty, double tz);
    static Transform3D makeScale(double sx, double sy, double sz);
    // A rotation by `angle` radians about the axis (x, y, z), which need not be a
    // unit vector. An axis of zero length gives the identity.
    static Transform3D makeRotation(double angle, double x, double y, double z);
    // The 2-D transform acting in the plane z = 0, leaving z alone.
    static Transform3D fromAffine(const AffineTransform& transform);
    // The sixteen entries row by row.
    static Transform3D fromRows(const std::array<double, 16>& entries);

    // `a` first, then `b`.
    [[nodiscard]] static Transform3D concat(const Transform3D& a, const Transform3D& b);
    [[nodiscard]] Transform3D translate(double tx, double ty, double tz) const;
    [[nodiscard]] Transform3D scale(double sx, double sy, double sz) const;
    [[nodiscard]] Transform3D rotate(double angle, double x, double y, double z) const;

    bool isIdentity() const { return *this == identity(); }
    // True when the transform maps the plane z = 0 onto itself with no
    // perspective, so that affine() loses nothing.
    bool isAffine() const;
    // The action on the plane z = 0 seen from the front with z dropped
    // (orthographic): m11, m12, m21, m22, m41, m42. Exact when isAffine().
    AffineTransform affine() const;

    // The point (x, y, 0) transformed, with z dropped and the perspective divide
    // applied when the transform has one.
    Point apply(Point point) const;

    std::array<double, 16> rows() const;

    constexpr bool operator==(const Transform3D&) const = default;
};

}  // namespace platform::graphics

template <>
struct std::hash<platform::graphics::Transform3D> {
    std::size_t operator()(const platform::graphics::Transform3D& t) const noexcept {
        std::size_t seed = 0;
        for (double value : t.rows()) {
            platform::graphics::hashCombine(seed, platform::graphics::hashDouble(value));
        }
        return seed;
    }
};
