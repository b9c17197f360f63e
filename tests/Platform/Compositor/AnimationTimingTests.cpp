// Animations attached to layers, read back at chosen moments of a manual clock.
// The expected values come from the timing rules (MediaTiming.h) and the keyframe
// rules (KeyframeAnimation.h), worked out by hand.

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "CompositorTestSupport.h"
#include "Platform/Compositor/AnimationGroup.h"
#include "Platform/Compositor/BasicAnimation.h"
#include "Platform/Compositor/KeyframeAnimation.h"
#include "Platform/Compositor/Layer.h"

namespace {

using namespace platform::compositor;
using compositortest::CompositorTest;
using platform::graphics::Path;
using platform::graphics::Point;
using Table = std::vector<std::pair<double, double>>;

class AnimationTimingTest : public CompositorTest {
protected:
    void SetUp() override {
        CompositorTest::SetUp();
        layer = Layer::make();
        layer->declareAnimatableNumber("frame", -1, false);
    }

    double presentedAt(double mediaTime) const {
        std::optional<AnimatableValue> value = layer->presentedValue("frame", mediaTime);
        return value && value->number() ? *value->number() : -999;
    }

    // Adds the animation (replacing the last one) and checks what the layer
    // presents at each time after its begin; the model value is -1.
    void expectTable(const std::shared_ptr<Animation>& animation, const Table& table) {
        layer->addAnimation(animation, "play");
        const double begin = layer->animation("play")->beginTime();
        for (const auto& [offset, expected] : table) {
            EXPECT_NEAR(presentedAt(begin + offset), expected, 1e-9) << "at " << offset;
        }
    }

    static std::shared_ptr<BasicAnimation> basic(double from, double to, double duration) {
        return compositortest::basicAnimation("frame", from, to, duration);
    }

    static std::shared_ptr<KeyframeAnimation> keyframes(std::vector<AnimatableValue> values,
                                                        std::vector<double> keyTimes, double duration,
                                                        CalculationMode mode = CalculationMode::linear) {
        auto animation = KeyframeAnimation::make("frame");
        animation->setValues(std::move(values));
        animation->setKeyTimes(std::move(keyTimes));
        animation->setDuration(duration);
        animation->setCalculationMode(mode);
        return animation;
    }

    static std::shared_ptr<AnimationGroup> group(std::vector<std::shared_ptr<Animation>> children, double duration,
                                                 FillMode fill) {
        auto group = AnimationGroup::make();
        group->setAnimations(std::move(children));
        group->setDuration(duration);
        group->setFillMode(fill);
        return group;
    }

    std::shared_ptr<Layer> layer;
};

TEST_F(AnimationTimingTest, BeginTimeZeroMeansNowAndAnotherIsKept) {
    expectTable(basic(0, 10, 10), {{2.5, 2.5}});
    EXPECT_DOUBLE_EQ(layer->animation("play")->beginTime(), clock->now());
    auto past = basic(10, 50, 40);
    past->setBeginTime(clock->now() - 20);
    layer->addAnimation(past, "play");
    EXPECT_DOUBLE_EQ(presentedAt(clock->now()), 30);
}

TEST_F(AnimationTimingTest, GroupsTimeRunsInTheirOwnTime) {
    auto second = keyframes({10.0, 30.0}, {0, 1}, 2);
    second->setBeginTime(1);
    expectTable(group({keyframes({0.0, 10.0}, {0, 1}, 1), second}, 3, FillMode::both),
                {{-1, 0}, {0, 0}, {0.5, 5}, {1, 10}, {2, 20}, {3, 30}, {5, 30}});
    // A run without fill acts only within itself: the model value around it.
    auto run = keyframes({5.0, 6.0}, {0, 1}, 1);
    run->setBeginTime(1);
    expectTable(group({run}, 4, FillMode::removed), {{0.5, -1}, {1.5, 5.5}, {3, -1}});
    // A loop with an offset starts partway and wraps around.
    auto loop = group({basic(0, 100, 10)}, 10, FillMode::removed);
    loop->setRepeatCount(MediaTiming::foreverRepeatCount);
    loop->setTimeOffset(4);
    expectTable(loop, {{0, 40}, {5, 90}, {7, 10}});
}

TEST_F(AnimationTimingTest, ThreeLevelWrapperWithNegativeInnerSpeed) {
    // A whole animation of 60 frames at 30 fps played from frame 40 back to 10:
    // runs of 0..30 and 30..60 frames, a group reading them backwards from 4/3 s,
    // and a wrapper of 1 s around it.
    auto second = keyframes({30.0, 60.0}, {0, 1}, 1);
    second->setBeginTime(1);
    auto inner = group({keyframes({0.0, 30.0}, {0, 1}, 1), second}, 2, FillMode::removed);
    inner->setSpeed(-1);
    inner->setTimeOffset(4.0 / 3.0);
    auto wrapper = group({inner}, 1, FillMode::both);
    expectTable(wrapper, {{-1, 40}, {0, 40}, {0.5, 25}, {0.9, 13}, {1, 10}, {3, 10}});
    // The same wrapper looping with auto-reverse comes back up to 40.
    wrapper->setRepeatCount(MediaTiming::foreverRepeatCount);
    wrapper->setAutoreverses(true);
    expectTable(wrapper, {{1.5, 25}, {2, 40}, {10.5, 25}});
}

TEST_F(AnimationTimingTest, PlayedRangeEndsOnItsLastFrame) {
    // A range played once, as the second engine builds it: the whole animation of
    // frames 0...last runs inside a wrapper as long as the range, offset to `from`
    // and reversed when `to` lies below it. Ranges that end on the first or last
    // frame reach a multiple of the inner active duration there.
    using Range = std::pair<double, double>;
    for (double fps : {23.976, 24.0, 25.0, 29.97, 30.0, 48.0, 50.0, 59.94, 60.0}) {
        for (double last : {37.0, 60.0, 90.0}) {
            for (double k : {0.0, 1.0, 5.0, 13.0, 29.0}) {
                for (const auto& [from, to] : {Range{k, last}, Range{last - k, 0}, Range{last, k}}) {
                    auto inner = basic(0, last, last / fps);
                    inner->setSpeed(to < from ? -1 : 1);
                    inner->setTimeOffset(from / fps);
                    layer->addAnimation(group({inner}, std::fabs(to - from) / fps, FillMode::both), "play");
                    const double begin = layer->animation("play")->beginTime();
                    const double end = begin + std::fabs(to - from) / fps;
                    for (const auto& [time, frame] : {Range{begin, from}, Range{end, to}, Range{end + 1, to}}) {
                        EXPECT_NEAR(presentedAt(time), frame, 1e-6) << fps << " fps, " << from << " to " << to;
                    }
                }
            }
        }
    }
}

TEST_F(AnimationTimingTest, DiscreteValuesHoldFromTheirKeyTimes) {
    // One more key time than values: the last one ends the last value.
    expectTable(keyframes({1.0, 2.0, 3.0}, {0, 0.25, 0.75, 1}, 1, CalculationMode::discrete),
                {{0, 1}, {0.1, 1}, {0.25, 2}, {0.7, 2}, {0.75, 3}, {0.99, 3}, {1, 3}});
    // Visibility (1 hidden, 0 shown) from t_in to t_out; an in-frame past the end
    // never shows, an out-frame before the start never shows either.
    const std::vector<std::pair<std::vector<double>, Table>> cases = {
        {{0, 0.1, 0.5, 1}, {{0.05, 1}, {0.1, 0}, {0.3, 0}, {0.5, 1}, {1, 1}}},
        {{0, 1.3, 1, 1}, {{0, 1}, {0.5, 1}, {1, 1}}},
        {{0, 0, -0.2, 1}, {{0, 1}, {0.5, 1}}},
        // A 0 put before a first key time that lies before the start.
        {{0, -0.2, 0.5, 1}, {{0, 0}, {0.3, 0}, {0.5, 1}, {0.9, 1}}},
    };
    for (const auto& [keyTimes, table] : cases) {
        auto hidden = keyframes({true, false, true}, keyTimes, 1, CalculationMode::discrete);
        hidden->setFillMode(FillMode::both);
        expectTable(hidden, table);
    }
}

TEST_F(AnimationTimingTest, SinglePrecisionKeyTimesAreReachedOnTheirFrame) {
    // Key times stored in single precision round up about half the time; a value
    // keyed exactly at a frame must still show at that frame, in discrete mode
    // (hidden until `in`, shown until `out`) and at a jump in linear mode.
    for (double fps : {23.976, 24.0, 25.0, 29.97, 30.0, 60.0}) {
        for (int frames : {30, 45, 60, 90, 150}) {
            for (int in = 1; in < frames / 2; ++in) {
                const int out = frames - in;
                const double keyIn = static_cast<float>(static_cast<double>(in) / frames);
                const double keyOut = static_cast<float>(static_cast<double>(out) / frames);
                layer->addAnimation(keyframes({1.0, 0.0, 1.0}, {0, keyIn, keyOut, 1}, frames / fps,
                                              CalculationMode::discrete),
                                    "hidden");
                const double begin = layer->animation("hidden")->beginTime();
                auto at = [&](int frame) { return presentedAt(begin + frame / fps); };
                EXPECT_EQ((std::vector<double>{at(in - 1), at(in), at(out - 1), at(out)}),
                          (std::vector<double>{1, 0, 0, 1}))
                    << "discrete, " << in << " of " << frames << " at " << fps << " fps";
                layer->addAnimation(keyframes({0.0, 10.0, 100.0, 200.0}, {0, keyIn, keyIn, 1}, frames / fps), "hidden");
                EXPECT_NEAR(at(in), 100, 1e-4) << "linear, " << in << " of " << frames << " at " << fps << " fps";
            }
        }
    }
}

TEST_F(AnimationTimingTest, KeyTimesOutOfOrderOrOfTheWrongCount) {
    struct Case {
        std::vector<double> keyTimes;
        std::vector<AnimatableValue> values;
        double fraction;
        double expected;
    };
    const double before = static_cast<float>(-0.1);
    const double pastEnd = static_cast<float>(1.2);
    const std::vector<Case> cases = {
        // A first key time before the start, preceded by an inserted 0.
        {{0, before, 0.5, 1}, {0.0, 0.0, 10.0, 20.0}, 0.2, 10 * (0.2 - before) / (0.5 - before)},
        {{0, before, 0.5, 1}, {0.0, 0.0, 10.0, 20.0}, 0, 10 * (0 - before) / (0.5 - before)},
        {{0, before, 0.5, 1}, {0.0, 0.0, 10.0, 20.0}, 0.75, 15},
        // A last key time past the end, followed by an appended 1: the end shows
        // the value partway to the last keyframe.
        {{0, 0.5, pastEnd, 1}, {0.0, 10.0, 20.0, 20.0}, 1, 10 + 10 * 0.5 / (pastEnd - 0.5)},
        {{0, 0.5, pastEnd, 1}, {0.0, 10.0, 20.0, 20.0}, 0.25, 5},
        // Both at once.
        {{0, before, 0.5, pastEnd, 1}, {0.0, 0.0, 10.0, 20.0, 20.0}, 0.25, 10 * (0.25 - before) / (0.5 - before)},
        {{0, before, 0.5, pastEnd, 1}, {0.0, 0.0, 10.0, 20.0, 20.0}, 1, 10 + 10 * 0.5 / (pastEnd - 0.5)},
        // Equal key times: the later keyframe holds from its time on.
        {{0, 0.5, 0.5, 1}, {0.0, 10.0, 100.0, 200.0}, 0.5, 100},
        {{0, 0.5, 0.5, 1}, {0.0, 10.0, 100.0, 200.0}, 0.49, 9.8},
        // Key times that start late and end early hold the ends.
        {{0.2, 0.8}, {1.0, 2.0}, 0.1, 1},
        {{0.2, 0.8}, {1.0, 2.0}, 0.9, 2},
        // A count that fits no rule is ignored: even spacing.
        {{0, 1}, {0.0, 10.0, 20.0}, 0.25, 5},
    };
    for (const Case& c : cases) {
        expectTable(keyframes(c.values, c.keyTimes, 1), {{c.fraction, c.expected}});
    }
}

TEST_F(AnimationTimingTest, LongListsOfKeyTimesAreFoundWhereverTheFractionFalls) {
    // A keyframe for every frame, as a path or a turn baked frame by frame
    // gives: key times in single precision, one repeated (a jump from 100 to
    // 1000), each value found on its frame and between frames.
    constexpr int count = 600;
    const auto keyOf = [](int i) { return static_cast<double>(static_cast<float>(static_cast<double>(i) / (count - 1))); };
    std::vector<double> keyTimes;
    std::vector<AnimatableValue> values;
    for (int i = 0; i < count; ++i) {
        keyTimes.push_back(keyOf(i == 101 ? 100 : i));
        values.push_back(i == 101 ? 1000.0 : static_cast<double>(i));
    }
    Table linear;
    for (int i = 0; i < count; ++i) {
        if (i == 100) continue;  // the jump: the later keyframe holds from its time on
        linear.emplace_back(static_cast<double>(i == 101 ? 100 : i) / (count - 1), values[i].number().value());
        if (i + 1 < count) {
            linear.emplace_back((keyTimes[i] + keyTimes[i + 1]) / 2, i == 101 ? (1000.0 + 102) / 2 : i + 0.5);
        }
    }
    expectTable(keyframes(values, keyTimes, 1), linear);
    // Discrete: each value from its key time until the next.
    std::vector<double> steps;
    std::vector<AnimatableValue> indices;
    for (int i = 0; i <= count; ++i) steps.push_back(static_cast<double>(static_cast<float>(static_cast<double>(i) / count)));
    for (int i = 0; i < count; ++i) indices.push_back(static_cast<double>(i));
    Table discrete;
    for (int i = 0; i < count; ++i) {
        discrete.emplace_back(static_cast<double>(i) / count, i);
        discrete.emplace_back((static_cast<double>(i) + 0.5) / count, i);
    }
    expectTable(keyframes(indices, steps, 1, CalculationMode::discrete), discrete);
}

TEST_F(AnimationTimingTest, PerSegmentTimingFunctionsAndPacedMode) {
    auto eased = keyframes({0.0, 10.0, 20.0}, {0, 0.5, 1}, 1);
    eased->setTimingFunctions({TimingFunction::named(TimingFunction::Name::easeIn)});
    // Ease-in read halfway is 0.31536; the second segment has no function.
    expectTable(eased, {{0.25, 3.1535681876}, {0.75, 15}});
    // Paced ignores the key times and spaces the values by distance.
    expectTable(keyframes({0.0, 10.0, 40.0}, {0, 0.9, 1}, 1, CalculationMode::paced), {{0.25, 10}, {0.5, 20}});
}

TEST_F(AnimationTimingTest, LaterAnimationOverridesAndAdditiveAdds) {
    layer->addAnimation(basic(0, 10, 10), "a");
    layer->addAnimation(basic(100, 200, 10), "b");
    const double begin = clock->now();
    EXPECT_DOUBLE_EQ(presentedAt(begin + 5), 150);
    auto additive = basic(1, 1, 10);
    additive->setAdditive(true);
    layer->addAnimation(additive, "c");
    EXPECT_DOUBLE_EQ(presentedAt(begin + 5), 151);
}

TEST_F(AnimationTimingTest, MissingFromOrToUsesThePresentedValue) {
    layer->setValue("frame", 20.0);
    auto toOnly = BasicAnimation::make("frame");
    toOnly->setToValue(40.0);
    toOnly->setDuration(10);
    expectTable(toOnly, {{5, 30}});
    auto neither = BasicAnimation::make("frame");
    neither->setDuration(10);
    expectTable(neither, {{5, 20}});
}

TEST_F(AnimationTimingTest, MotionPathMarksItsVerticesAndMovesAtEvenSpeed) {
    Path path = compositortest::polyline({{0, 0}, {100, 0}, {100, 100}});
    path.closeSubpath();
    // A cubic whose control points bunch its parameter at the start: even speed
    // means halfway by arc length, not by parameter.
    Path curve;
    curve.moveTo({0, 0});
    curve.curveTo({0, 0}, {0, 0}, {100, 0});
    struct Case {
        const char* keyPath;
        Path path;
        std::vector<double> keyTimes;
        std::vector<std::pair<double, Point>> table;
        double tolerance;
    };
    const std::vector<Case> cases = {
        {"position", path, {0, 0.25, 1}, {{0, {0, 0}}, {0.125, {50, 0}}, {0.25, {100, 0}}, {0.625, {100, 50}},
                               {1, {100, 100}}, {2, {100, 100}}}, 1e-9},
        {"transform.translation", curve, {0, 1}, {{0.1, {10, 0}}, {0.5, {50, 0}}, {0.9, {90, 0}}}, 0.5},
    };
    for (const Case& c : cases) {
        auto animation = KeyframeAnimation::make(c.keyPath);
        animation->setPath(c.path);
        animation->setKeyTimes(c.keyTimes);
        animation->setDuration(1);
        animation->setFillMode(FillMode::forwards);
        layer->addAnimation(animation, "move");
        const double begin = clock->now();
        for (const auto& [offset, expected] : c.table) {
            SCOPED_TRACE(offset);
            compositortest::expectNear(*layer->presentedValue(c.keyPath, begin + offset)->get<Point>(), expected,
                                       c.tolerance);
        }
    }
}

}  // namespace
