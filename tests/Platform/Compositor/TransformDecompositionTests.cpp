// Taking transforms apart and putting them back together.

#include <gtest/gtest.h>

#include <numbers>

#include "Platform/Compositor/TransformDecomposition.h"

namespace {

using platform::compositor::TransformDecomposition;
using platform::graphics::Transform3D;

void expectSameMatrix(const Transform3D& actual, const Transform3D& expected) {
    const auto a = actual.rows();
    const auto e = expected.rows();
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_NEAR(a[i], e[i], 1e-9) << "entry " << i;
    }
}

TEST(TransformDecomposition, RoundTripsEveryKindOfTransform) {
    const double pi = std::numbers::pi;
    const std::vector<Transform3D> transforms = {
        Transform3D::identity(),
        Transform3D::makeScale(-1, 1, 1),
        Transform3D::makeScale(0, 0, 1),
        Transform3D::makeRotation(pi, 0, 0, 1),
        Transform3D::makeRotation(2.5, 1, 2, 3),
        Transform3D::fromRows({1, 0, 0, 0, 0.5, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}),  // shear
        Transform3D::concat(Transform3D::makeScale(2, -3, 1), Transform3D::makeRotation(1.2, 0, 0, 1)),
        Transform3D::fromRows({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, -0.002, 5, 6, 0, 1}),  // perspective
    };
    for (const Transform3D& transform : transforms) {
        expectSameMatrix(TransformDecomposition::of(transform).matrix(), transform);
    }
}

}  // namespace
