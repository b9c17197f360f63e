// What the Core Animation engine's animations rely on of the compositor: runs
// without a fill inside a group, an inner animation played backwards from a
// time offset, key times beyond 0 and 1, discrete key times one more than the
// values, a paused group beginning just below the layer's time, single-precision
// key times and begin times met by summed frame times, timing curves that
// overshoot, and motion along a curve as the main-thread engine moves.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "Platform/Compositor/AnimationGroup.h"
#include "Platform/Compositor/KeyframeAnimation.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/MotionPath.h"
#include "tests/Platform/Compositor/CompositorTestSupport.h"

using namespace platform::compositor;
using platform::graphics::Path;
using platform::graphics::Point;
using compositortest::CompositorTest;

namespace {

double presented(const Layer& layer, const char* key, double mediaTime) {
    const auto value = layer.presentedValue(key, mediaTime);
    return value ? value->number().value_or(NAN) : NAN;
}

std::shared_ptr<KeyframeAnimation> run(double begin, double duration, std::vector<double> values,
                                       std::vector<double> keyTimes, CalculationMode mode = CalculationMode::linear) {
    auto animation = KeyframeAnimation::make("opacity");
    std::vector<AnimatableValue> boxed(values.begin(), values.end());
    animation->setValues(std::move(boxed));
    animation->setKeyTimes(std::move(keyTimes));
    animation->setCalculationMode(mode);
    animation->setBeginTime(begin);
    animation->setDuration(duration);
    return animation;
}

TEST_F(CompositorTest, RunsInsideAGroupActOnlyInTheirOwnSpanAndTheLaterWinsWhereTheyMeet) {
    auto layer = Layer::make();
    layer->setOpacity(0.5);
    auto group = AnimationGroup::make();
    group->setDuration(4);
    group->setFillMode(FillMode::both);
    // A hold, then a ramp from 0.2 to 0.8, meeting at 1 s; nothing in the last second.
    group->setAnimations({run(0, 1, {0.1, 0.1}, {0, 1}, CalculationMode::discrete),
                          run(1, 2, {0.2, 0.8}, {0, 1})});
    layer->addAnimation(group, "opacity");
    const double t0 = clock->now();
    struct Case {
        double seconds;
        double value;
    };
    for (const Case& item : std::vector<Case>{{0, 0.1}, {0.5, 0.1}, {1, 0.2}, {2, 0.5}, {3, 0.8}, {3.5, 0.5}}) {
        EXPECT_NEAR(presented(*layer, "opacity", t0 + item.seconds), item.value, 1e-12) << item.seconds;
    }
    // A begin time met by a time summed from frame times a little below it.
    const double summed = (140.0 - 70) / 30 + (70.0 - 20) / 30;
    auto meeting = AnimationGroup::make();
    meeting->setDuration(10);
    meeting->setAnimations({run(0, summed, {0.1, 0.1}, {0, 1}, CalculationMode::discrete),
                            run((140.0 - 20) / 30, 1, {0.9, 0.9}, {0, 1})});
    auto other = Layer::make();
    other->addAnimation(meeting, "opacity");
    EXPECT_EQ(presented(*other, "opacity", clock->now() + (140.0 - 20) / 30 - 1e-13), 0.9);
    EXPECT_EQ(presented(*other, "opacity", clock->now() + 4 - 1e-3), 0.1);
}

TEST_F(CompositorTest, AnInnerAnimationPlaysBackwardsFromItsTimeOffset) {
    // The whole animation is 2 s; the group plays 1 s of it backwards from 4/3 s.
    auto layer = Layer::make();
    auto inner = run(0, 2, {0, 1}, {0, 1});
    inner->setSpeed(-1);
    inner->setTimeOffset(4.0 / 3);
    auto group = AnimationGroup::make();
    group->setAnimations({inner});
    group->setDuration(1);
    group->setFillMode(FillMode::both);
    layer->addAnimation(group, "opacity");
    const double t0 = clock->now();
    EXPECT_NEAR(presented(*layer, "opacity", t0), 2.0 / 3, 1e-12);
    EXPECT_NEAR(presented(*layer, "opacity", t0 + 0.5), 5.0 / 12, 1e-12);
    EXPECT_NEAR(presented(*layer, "opacity", t0 + 1), 1.0 / 6, 1e-12);
    EXPECT_NEAR(presented(*layer, "opacity", t0 + 5), 1.0 / 6, 1e-12);
}

TEST_F(CompositorTest, KeyTimesBeyondTheEndsAndDiscreteEndTimesAreRead) {
    struct Case {
        std::string name;
        std::vector<double> values;
        std::vector<double> keyTimes;
        CalculationMode mode;
        std::vector<std::pair<double, double>> samples;  // fraction, value
    };
    const std::vector<Case> cases = {
        {"a first key time below 0 after an added 0", {5, 5, 9, 9}, {0, -0.5, 0.5, 1}, CalculationMode::linear,
         {{0, 5 + 4 * 0.5}, {0.25, 5 + 4 * 0.75}, {0.5, 9}, {0.75, 9}}},
        {"n + 1 discrete key times", {1, 2, 3}, {0, 0.25, 0.5, 1}, CalculationMode::discrete,
         {{0, 1}, {0.24, 1}, {0.25, 2}, {0.6, 3}, {1, 3}}},
        {"single-precision key times reached at their frame", {1, 2, 3},
         {0, static_cast<float>(10.0 / 61), static_cast<float>(30.0 / 61)}, CalculationMode::discrete,
         {{10.0 / 61, 2}, {30.0 / 61, 3}}},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        auto layer = Layer::make();
        layer->addAnimation(run(0, 1, item.values, item.keyTimes, item.mode), "opacity");
        const double t0 = clock->now();
        for (const auto& [fraction, value] : item.samples) {
            EXPECT_NEAR(presented(*layer, "opacity", t0 + fraction), value, 1e-12) << fraction;
        }
    }
}

TEST_F(CompositorTest, APausedGroupBeginningJustBelowTheLayersTimeShowsItsOffset) {
    auto layer = Layer::make();
    layer->setSpeed(0);
    layer->setTimeOffset(0);
    auto group = AnimationGroup::make();
    group->setAnimations({run(0, 61.0 / 30, {0, 1}, {0, 1})});
    group->setDuration(61.0 / 30);
    group->setFillMode(FillMode::both);
    group->setBeginTime(-std::numeric_limits<double>::denorm_min());
    layer->addAnimation(group, "opacity");
    EXPECT_EQ(layer->animation("opacity")->beginTime(), -std::numeric_limits<double>::denorm_min());
    EXPECT_NEAR(presented(*layer, "opacity", clock->now() + 100), 0, 1e-12);
    // Seeking while paused is a time offset of the layer.
    layer->setTimeOffset(30.0 / 30);
    EXPECT_NEAR(presented(*layer, "opacity", clock->now() + 100), 30.0 / 61, 1e-12);
}

TEST_F(CompositorTest, TimingCurvesThatOvershootCarryValuesPastTheirEnds) {
    // y of the control points beyond 0 and 1: the curve dips below 0 early and
    // rises above 1 late.
    const TimingFunction overshoot(0.2f, -0.6f, 0.8f, 1.6f);
    const double early = overshoot.evaluate(0.1);
    const double late = overshoot.evaluate(0.9);
    ASSERT_LT(early, 0);
    ASSERT_GT(late, 1);
    auto layer = Layer::make();
    auto numbers = run(0, 1, {10, 20}, {0, 1});
    numbers->setTimingFunctions({overshoot});
    layer->addAnimation(numbers, "opacity");
    const double t0 = clock->now();
    EXPECT_NEAR(presented(*layer, "opacity", t0 + 0.1), 10 + 10 * early, 1e-9);
    EXPECT_NEAR(presented(*layer, "opacity", t0 + 0.9), 10 + 10 * late, 1e-9);
    // Booleans still hold one end.
    EXPECT_EQ(AnimatableValue::blend(AnimatableValue(false), AnimatableValue(true), -0.2), AnimatableValue(false));
    EXPECT_EQ(AnimatableValue::blend(AnimatableValue(false), AnimatableValue(true), 1.2), AnimatableValue(true));
    // Along a straight motion path the point carries on past the ends; a curve stops at them.
    MotionPath line(compositortest::polyline({{0, 0}, {10, 0}}));
    compositortest::expectNear(line.pointOnSegment(0, -0.5), {-5, 0});
    compositortest::expectNear(line.pointOnSegment(0, 1.5), {15, 0});
    Path curve;
    curve.moveTo({0, 0});
    curve.curveTo({0, 10}, {10, 10}, {10, 0});
    MotionPath curved(curve);
    compositortest::expectNear(curved.pointOnSegment(0, -0.5), {0, 0});
    compositortest::expectNear(curved.pointOnSegment(0, 1.5), {10, 0});
}

TEST_F(CompositorTest, MotionAlongACurveStaysOnTheCurve) {
    // The arch x = 30t^2 - 20t^3, y = 30t(1 - t): every point the motion reaches
    // lies on it (a point on a chord between samples would lie inside it).
    Path curve;
    curve.moveTo({0, 0});
    curve.curveTo({0, 10}, {10, 10}, {10, 0});
    MotionPath path(curve);
    for (double fraction : {0.05, 0.13, 0.3, 0.5, 0.77, 0.96}) {
        const Point point = path.pointOnSegment(0, fraction);
        double low = 0;
        double high = 1;
        for (int i = 0; i < 200; ++i) {
            const double t = (low + high) / 2;
            (30 * t * t - 20 * t * t * t < point.x ? low : high) = t;
        }
        const double t = (low + high) / 2;
        EXPECT_NEAR(point.y, 30 * t * (1 - t), 1e-9) << fraction;
    }
    compositortest::expectNear(path.pointOnSegment(0, 0.5), {5, 7.5}, 1e-12);
    // A curve whose control points lie on its line moves as the line does.
    Path flat;
    flat.moveTo({0, 0});
    flat.curveTo({20, 0}, {-10, 0}, {10, 0});
    MotionPath straight(flat);
    compositortest::expectNear(straight.pointOnSegment(0, 0.25), {2.5, 0}, 1e-12);
}

}  // namespace
