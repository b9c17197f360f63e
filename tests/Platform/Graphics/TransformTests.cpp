#include <gtest/gtest.h>

#include <cmath>

#include "Platform/Graphics/AffineTransform.h"
#include "Platform/Graphics/Transform3D.h"

namespace platform::graphics {
namespace {

void expectNear(Point actual, Point expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
}

void expectNear(const Transform3D& actual, const Transform3D& expected) {
    const auto a = actual.rows();
    const auto e = expected.rows();
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_NEAR(a[i], e[i], 1e-9) << "entry " << i;
    }
}

TEST(AffineTransformTest, StepsApplyBeforeTheReceiverAndConcatenationInOrder) {
    const AffineTransform translate = AffineTransform::makeTranslation(10, 0);
    const AffineTransform scale = AffineTransform::makeScale(2, 3);
    // translatedBy puts the translation first: the point moves, then scales.
    expectNear(scale.translatedBy(10, 0).apply(Point(1, 1)), Point(22, 3));
    expectNear(translate.scaledBy(2, 3).apply(Point(1, 1)), Point(12, 3));
    expectNear(translate.concatenating(scale).apply(Point(1, 1)), Point(22, 3));
    expectNear(scale.concatenating(translate).apply(Point(1, 1)), Point(12, 3));
    // With y down a positive angle turns clockwise: the point to the right moves down.
    expectNear(translate.rotatedBy(M_PI / 2).apply(Point(1, 0)), Point(10, 1));
}

TEST(AffineTransformTest, InversionRoundTripsAndRefusesSingularTransforms) {
    const AffineTransform transforms[] = {
        AffineTransform::makeTranslation(3, -7),
        AffineTransform::makeScale(2, -0.25).rotatedBy(0.7).translatedBy(5, 9),
        AffineTransform(1, 2, -3, 4, 5, 6),
    };
    for (const AffineTransform& t : transforms) {
        const auto inverse = t.inverted();
        ASSERT_TRUE(inverse.has_value());
        const Point p(12.5, -3.25);
        expectNear(inverse->apply(t.apply(p)), p);
        expectNear(t.apply(inverse->apply(p)), p);
    }
    EXPECT_FALSE(AffineTransform::makeScale(0, 1).inverted().has_value());
    EXPECT_FALSE(AffineTransform(1, 2, 2, 4, 0, 0).inverted().has_value());
    EXPECT_FALSE(AffineTransform(NAN, 0, 0, 1, 0, 0).inverted().has_value());
}

TEST(Transform3DTest, RotationsFollowTheRightHandRuleWithRowVectors) {
    struct Case {
        double x, y, z;
        Transform3D expected;
    };
    const double c = std::cos(0.3), s = std::sin(0.3);
    Transform3D aboutZ, aboutX, aboutY;
    aboutZ.m11 = c, aboutZ.m12 = s, aboutZ.m21 = -s, aboutZ.m22 = c;
    aboutX.m22 = c, aboutX.m23 = s, aboutX.m32 = -s, aboutX.m33 = c;
    aboutY.m11 = c, aboutY.m13 = -s, aboutY.m31 = s, aboutY.m33 = c;
    const Case cases[] = {
        {0, 0, 1, aboutZ},
        {0, 0, 7, aboutZ},  // the axis need not be a unit vector
        {1, 0, 0, aboutX},
        {0, 1, 0, aboutY},
        {0, 0, 0, Transform3D::identity()},
    };
    for (const Case& testCase : cases) {
        expectNear(Transform3D::makeRotation(0.3, testCase.x, testCase.y, testCase.z), testCase.expected);
    }
}

}  // namespace
}  // namespace platform::graphics
