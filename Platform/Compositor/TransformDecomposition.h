#pragma once
// A 4x4 transform taken apart into translation, scale with shear, rotation and
// perspective, so that transforms interpolate as motions (a quarter turn stays a
// rigid quarter turn halfway) instead of element by element, and so that the
// transform key paths of layers can read and replace single components. A value
// used inside the compositor only.
//
// With points as row vectors, the upper 3x3 part is U = A x R: first the scale
// and shear A (its diagonal holds the scale factors, the entries below it the
// shear), then the rotation R; then the translation row. A is kept whole, so
// taking a transform apart and putting it back together gives it again even when
// a scale is zero. A mirror image shows as a negative x scale.

#include <array>

#include "Platform/Graphics/Transform3D.h"

namespace platform::compositor {

struct TransformDecomposition {
    std::array<double, 3> translation{0, 0, 0};
    // Row by row; lower triangular up to rounding.
    std::array<double, 9> scaleShear{1, 0, 0, 0, 1, 0, 0, 0, 1};
    // A unit quaternion x, y, z, w (w is the cosine of half the angle).
    std::array<double, 4> rotation{0, 0, 0, 1};
    // The fourth column, m14, m24, m34, m44.
    std::array<double, 4> perspective{0, 0, 0, 1};

    static TransformDecomposition of(const graphics::Transform3D& transform);
    graphics::Transform3D matrix() const;

    // Each part on its own: translation, scale, shear and perspective in a straight
    // line, the rotation along the shorter great arc.
    static TransformDecomposition interpolate(const TransformDecomposition& from,
                                              const TransformDecomposition& to, double fraction);

    // The rotation as angles about x, y and z (radians) such that turning about z
    // first, then y, then x gives it.
    std::array<double, 3> eulerAngles() const;
    // The rotation as a row-vector 3x3 matrix, row by row.
    std::array<double, 9> rotationMatrix() const;
};

}  // namespace platform::compositor
