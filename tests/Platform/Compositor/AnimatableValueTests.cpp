// Interpolation and addition of every value type layers animate.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <vector>

#include "CompositorTestSupport.h"
#include "Platform/Compositor/AnimatableValue.h"
#include "Platform/Graphics/Image.h"

namespace {

using platform::compositor::AnimatableValue;
using platform::graphics::Color;
using platform::graphics::Path;
using platform::graphics::Point;
using platform::graphics::Rect;
using platform::graphics::Size;
using platform::graphics::Transform3D;

Path line(Point a, Point b) {
    return compositortest::polyline({a, b});
}

TEST(AnimatableValue, InterpolatesComponentByComponent) {
    struct Case {
        const char* name;
        AnimatableValue from;
        AnimatableValue to;
        AnimatableValue quarter;
    };
    const std::vector<Case> cases = {
        // Every type's halfway value is read through the presentation copy in
        // DisplayLinkTests; here a quarter, the ends, and colours of other spaces.
        {"rect", Rect(0, 0, 4, 4), Rect(4, 8, 8, 0), Rect(1, 2, 5, 3)},
        {"grey colour", Color::grey(0, 1), Color::grey(1, 0), Color::grey(0.25, 0.75)},
        {"colours of two spaces meet in RGB", Color::grey(0, 1), Color::rgb(1, 1, 1, 1),
         Color::rgb(0.25, 0.25, 0.25, 1)},
        {"path", line({0, 0}, {4, 0}), line({4, 4}, {8, 8}), line({1, 1}, {5, 2})},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AnimatableValue::interpolate(c.from, c.to, 0.25), c.quarter) << c.name;
        EXPECT_EQ(AnimatableValue::blend(c.from, c.to, 1), c.to) << c.name;
    }
}

TEST(AnimatableValue, ValuesThatDoNotMatchHoldTheEarlierOne) {
    Path curve;
    curve.moveTo({0, 0});
    curve.curveTo({1, 1}, {2, 2}, {3, 3});
    const Path twoLines = compositortest::polyline({{0, 0}, {1, 1}, {2, 2}});
    const auto image = platform::graphics::Image::fromStraightRGBA(1, 1, {0, 0, 0, 255});
    struct Case {
        const char* name;
        AnimatableValue from;
        AnimatableValue to;
    };
    const std::vector<Case> cases = {
        {"paths of different kinds", line({0, 0}, {1, 1}), curve},
        {"paths of different counts", line({0, 0}, {1, 1}), twoLines},
        {"arrays of different counts", std::vector<double>{1}, std::vector<double>{1, 2}},
        {"images", AnimatableValue(image), AnimatableValue(AnimatableValue::ImageRef())},
        {"different types", 1.0, Point(1, 1)},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(AnimatableValue::interpolate(c.from, c.to, 0.5).has_value()) << c.name;
        EXPECT_EQ(AnimatableValue::blend(c.from, c.to, 0.999), c.from) << c.name;
        EXPECT_EQ(AnimatableValue::blend(c.from, c.to, 1), c.to) << c.name;
    }
}

TEST(AnimatableValue, TransformsInterpolateAsMotions) {
    // Halfway through a quarter turn is an eighth turn, not the element-wise
    // average (which would shrink the unit vector to 0.707); scale, turn and move
    // go together; a zero scale still grows (a layer growing from nothing).
    const double pi = std::numbers::pi;
    const Transform3D scaleTurnMove = Transform3D::concat(
        Transform3D::concat(Transform3D::makeScale(3, 3, 1), Transform3D::makeRotation(pi, 0, 0, 1)),
        Transform3D::makeTranslation(10, 20, 0));
    struct Case {
        Transform3D from, to;
        Point point, halfway;
    };
    const std::vector<Case> cases = {
        {Transform3D::identity(), Transform3D::makeRotation(pi / 2, 0, 0, 1), {1, 0},
         {std::cos(pi / 4), std::sin(pi / 4)}},
        {Transform3D::identity(), scaleTurnMove, {1, 0}, {5, 12}},
        {Transform3D::makeScale(0, 0, 1), Transform3D::identity(), {2, 4}, {1, 2}},
    };
    for (const Case& c : cases) {
        compositortest::expectNear(AnimatableValue::interpolate(c.from, c.to, 0.5)->get<Transform3D>()->apply(c.point),
                                   c.halfway);
    }
}

TEST(AnimatableValue, AdditionForAdditiveAnimations) {
    EXPECT_EQ(AnimatableValue::add(Point(1, 2), Point(3, 4)), AnimatableValue(Point(4, 6)));
    // The added transform applies first, then the base.
    const auto sum = AnimatableValue::add(Transform3D::makeScale(2, 2, 1), Transform3D::makeTranslation(5, 0, 0));
    EXPECT_EQ(sum->get<Transform3D>()->apply({1, 0}), Point(12, 0));
    EXPECT_FALSE(AnimatableValue::add(true, false).has_value());
    EXPECT_FALSE(AnimatableValue::add(1.0, Point(1, 1)).has_value());
}

// The larger kinds are held by objects that copies share: values built apart
// still compare, hash and read by what they hold.
TEST(AnimatableValue, LargeValuesCompareByWhatTheyHoldNotWhereTheyLive) {
    struct Case {
        const char* name;
        std::function<AnimatableValue()> make;
        AnimatableValue other;
    };
    const std::vector<Case> cases = {
        {"rect", [] { return AnimatableValue(Rect(1, 2, 3, 4)); }, Rect(1, 2, 3, 5)},
        {"color", [] { return AnimatableValue(Color::rgb(0.5, 0.25, 1)); }, Color::rgb(0.5, 0.25, 0)},
        {"path", [] { return AnimatableValue(line({0, 0}, {1, 1})); }, line({0, 0}, {1, 2})},
        {"numbers", [] { return AnimatableValue(std::vector<double>{1, 2}); }, std::vector<double>{1}},
        {"colors", [] { return AnimatableValue(std::vector<Color>{Color::white()}); },
         std::vector<Color>{Color::black()}},
        {"transform", [] { return AnimatableValue(Transform3D::makeScale(2, 3, 1)); },
         Transform3D::makeScale(2, 3, 2)},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const AnimatableValue first = test.make(), second = test.make();
        EXPECT_EQ(first, second);
        EXPECT_EQ(first.hash(), second.hash());
        EXPECT_NE(first, test.other);
        EXPECT_EQ(first.kind(), test.other.kind());
        const AnimatableValue copy = first;
        EXPECT_EQ(copy, first);
        EXPECT_EQ(copy.description(), first.description());
    }
    // A path handed in shared is held, not copied, and handed out again.
    const auto path = std::make_shared<const Path>(line({0, 0}, {3, 4}));
    const AnimatableValue shared(path);
    EXPECT_EQ(shared.sharedPath(), path);
    EXPECT_EQ(shared.get<Path>(), path.get());
    EXPECT_EQ(shared, AnimatableValue(line({0, 0}, {3, 4})));
    EXPECT_EQ(AnimatableValue(Rect()).sharedPath(), nullptr);
    EXPECT_EQ(shared.get<Rect>(), nullptr);
}

}  // namespace
