#include <gtest/gtest.h>

#include <cmath>

#include "Platform/Graphics/AffineTransform.h"
#include "Platform/Graphics/Rect.h"

namespace platform::graphics {
namespace {

TEST(RectTest, NullEmptyAndInfiniteAreTold) {
    struct Case {
        Rect rect;
        bool isNull, isEmpty, isInfinite;
    };
    const Case cases[] = {
        {Rect::null(), true, true, false},
        {Rect::zero(), false, true, false},
        {Rect(5, 5, 0, 10), false, true, false},
        {Rect(5, 5, -1, -1), false, false, false},
        {Rect::infinite(), false, false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.rect.isNull(), c.isNull);
        EXPECT_EQ(c.rect.isEmpty(), c.isEmpty);
        EXPECT_EQ(c.rect.isInfinite(), c.isInfinite);
    }
}

TEST(RectTest, UnionAndIntersection) {
    struct Case {
        Rect a, b, unionRect, intersectionRect;
    };
    const Rect null = Rect::null();
    const Case cases[] = {
        {Rect(0, 0, 10, 10), Rect(5, 5, 10, 10), Rect(0, 0, 15, 15), Rect(5, 5, 5, 5)},
        {Rect(0, 0, 10, 10), Rect(20, 20, 5, 5), Rect(0, 0, 25, 25), null},
        // Touching edges meet in a line of no area.
        {Rect(0, 0, 10, 10), Rect(10, 0, 5, 10), Rect(0, 0, 15, 10), Rect(10, 0, 0, 10)},
        {Rect(0, 0, 10, 10), null, Rect(0, 0, 10, 10), null},
        {null, Rect(1, 2, -3, 4), Rect(-2, 2, 3, 4), null},
        {Rect(10, 10, -10, -10), Rect(2, 2, 2, 2), Rect(0, 0, 10, 10), Rect(2, 2, 2, 2)},
        {Rect::infinite(), Rect(1, 2, 3, 4), Rect::infinite(), Rect(1, 2, 3, 4)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.a.unionWith(c.b), c.unionRect);
        EXPECT_EQ(c.b.unionWith(c.a), c.unionRect);
        const Rect intersection = c.a.intersection(c.b);
        EXPECT_EQ(intersection.isNull(), c.intersectionRect.isNull());
        if (!c.intersectionRect.isNull()) {
            EXPECT_EQ(intersection, c.intersectionRect);
        }
        EXPECT_EQ(c.a.intersects(c.b), !c.intersectionRect.isNull());
    }
}

TEST(RectTest, InsetByShrinksGrowsAndTurnsNullWhenInsideOut) {
    EXPECT_EQ(Rect(0, 0, 10, 20).insetBy(2, 3), Rect(2, 3, 6, 14));
    EXPECT_EQ(Rect(10, 20, -10, -20).insetBy(2, 3), Rect(2, 3, 6, 14));
    EXPECT_TRUE(Rect(0, 0, 10, 20).insetBy(6, 0).isNull());
    EXPECT_TRUE(Rect::null().insetBy(-5, -5).isNull());
}

TEST(RectTest, ContainsIsHalfOpen) {
    const Rect rect(0, 0, 10, 10);
    EXPECT_FALSE(rect.contains(Point(10, 5)));
    EXPECT_FALSE(Rect::null().contains(Point(0, 0)));
    EXPECT_FALSE(rect.contains(Rect(2, 2, 9, 3)));
}

TEST(RectTest, ApplyingATransformBoundsTheCorners) {
    const Rect rect(0, 0, 10, 20);
    EXPECT_EQ(rect.applying(AffineTransform::makeTranslation(5, -5)), Rect(5, -5, 10, 20));
    EXPECT_EQ(rect.applying(AffineTransform::makeScale(-2, 0.5)), Rect(-20, 0, 20, 10));
    const Rect rotated = rect.applying(AffineTransform::makeRotation(M_PI / 2));
    EXPECT_NEAR(rotated.minX(), -20, 1e-12);
    EXPECT_NEAR(rotated.maxX(), 0, 1e-12);
}

TEST(RectTest, EqualRectsHashAlikeEvenWithSignedZeros) {
    std::hash<Rect> hasher;
    EXPECT_EQ(hasher(Rect(0.0, -0.0, 1, 2)), hasher(Rect(-0.0, 0.0, 1, 2)));
    EXPECT_EQ(Point(-0.0, 0.0), Point(0.0, -0.0));
    EXPECT_EQ(std::hash<Point>{}(Point(-0.0, 1)), std::hash<Point>{}(Point(0.0, 1)));
    EXPECT_EQ(std::hash<Size>{}(Size(-0.0, 1)), std::hash<Size>{}(Size(0.0, 1)));
}

}  // namespace
}  // namespace platform::graphics
