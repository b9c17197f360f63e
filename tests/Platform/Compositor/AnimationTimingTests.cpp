// Animations attached to layers, read back at chosen moments of a manual clock.
// The expected values come from the timing rules (MediaTiming.h) and the keyframe
// rules (KeyframeAnimation.h), worked out by hand.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
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

    static std::shared_ptr<BasicAnimation> basic(double from, double to, double duration) {
        auto animation = BasicAnimation::make("frame");
        animation->setFromValue(from);
        animation->setToValue(to);
        animation->setDuration(duration);
        return animation;
    }

    static std::shared_ptr<KeyframeAnimation> keyframes(std::vector<AnimatableValue> values,
                                                        std::vector<double> keyTimes, double duration) {
        auto animation = KeyframeAnimation::make("frame");
        animation->setValues(std::move(values));
        animation->setKeyTimes(std::move(keyTimes));
        animation->setDuration(duration);
        return animation;
    }

    std::shared_ptr<Layer> layer;
};

TEST_F(AnimationTimingTest, BegunInThePastPresentsItsMiddle) {
    auto animation = basic(10, 50, 40);
    animation->setFillMode(FillMode::both);
    animation->setBeginTime(layer->convertTime(clock->now(), nullptr) - 20);
    layer->addAnimation(animation, "play");
    EXPECT_DOUBLE_EQ(presentedAt(clock->now()), 30);
    EXPECT_DOUBLE_EQ(presentedAt(clock->now() + 20), 50);
    EXPECT_DOUBLE_EQ(presentedAt(clock->now() + 100), 50);
}

TEST_F(AnimationTimingTest, NegativeSpeedRunsFromTheEndBack) {
    auto animation = basic(10, 50, 40);
    animation->setSpeed(-1);
    animation->setFillMode(FillMode::both);
    // 20 of the 40 s already played backwards: it shows 30, on its way to 10.
    animation->setBeginTime(layer->convertTime(clock->now(), nullptr) - 20);
    layer->addAnimation(animation, "play");
    const double now = clock->now();
    const std::vector<std::pair<double, double>> table = {
        {-30, 50}, {-20, 50}, {-10, 40}, {0, 30}, {10, 20}, {20, 10}, {30, 10}};
    for (const auto& [offset, expected] : table) {
        EXPECT_DOUBLE_EQ(presentedAt(now + offset), expected) << "at " << offset;
    }
}

TEST_F(AnimationTimingTest, BeginTimeZeroMeansNow) {
    layer->addAnimation(basic(0, 10, 10), "play");
    EXPECT_DOUBLE_EQ(layer->animation("play")->beginTime(), clock->now());
    EXPECT_DOUBLE_EQ(presentedAt(clock->now() + 2.5), 2.5);
}

TEST_F(AnimationTimingTest, FrozenLayerFreezesItsSubtree) {
    auto parent = Layer::make();
    parent->addSublayer(layer);
    parent->setSpeed(0);
    auto animation = basic(0, 100, 10);
    animation->setFillMode(FillMode::both);
    // Begun just before the frozen layer's time, as a paused wrapper does.
    animation->setBeginTime(layer->convertTime(clock->now(), nullptr) - 4.9406564584124654e-324);
    layer->addAnimation(animation, "play");
    parent->setTimeOffset(4);
    EXPECT_DOUBLE_EQ(presentedAt(clock->now()), 40);
    EXPECT_DOUBLE_EQ(presentedAt(clock->now() + 1000), 40);
    parent->setTimeOffset(7);
    EXPECT_DOUBLE_EQ(presentedAt(clock->now() + 3), 70);
}

TEST_F(AnimationTimingTest, GroupOfRunsWithTheirOwnBeginTimes) {
    auto first = keyframes({0.0, 10.0}, {0, 1}, 1);
    auto second = keyframes({10.0, 30.0}, {0, 1}, 2);
    second->setBeginTime(1);
    auto group = AnimationGroup::make();
    group->setAnimations({first, second});
    group->setDuration(3);
    group->setFillMode(FillMode::both);
    layer->addAnimation(group, "runs");
    const double begin = clock->now();
    const std::vector<std::pair<double, double>> table = {
        {-1, 0}, {0, 0}, {0.5, 5}, {1, 10}, {2, 20}, {3, 30}, {5, 30}};
    for (const auto& [offset, expected] : table) {
        EXPECT_DOUBLE_EQ(presentedAt(begin + offset), expected) << "at " << offset;
    }
}

TEST_F(AnimationTimingTest, ARunWithoutFillActsOnlyWithinItself) {
    auto run = keyframes({5.0, 6.0}, {0, 1}, 1);
    run->setBeginTime(1);
    auto group = AnimationGroup::make();
    group->setAnimations({run});
    group->setDuration(4);
    layer->addAnimation(group, "runs");
    const double begin = clock->now();
    EXPECT_DOUBLE_EQ(presentedAt(begin + 0.5), -1);  // the model value
    EXPECT_DOUBLE_EQ(presentedAt(begin + 1.5), 5.5);
    EXPECT_DOUBLE_EQ(presentedAt(begin + 3), -1);
}

TEST_F(AnimationTimingTest, DiscreteRunWithOneMoreKeyTimeThanValues) {
    auto animation = keyframes({1.0, 2.0, 3.0}, {0, 0.25, 0.75, 1}, 1);
    animation->setCalculationMode(CalculationMode::discrete);
    animation->setFillMode(FillMode::forwards);
    layer->addAnimation(animation, "hold");
    const double begin = clock->now();
    const std::vector<std::pair<double, double>> table = {
        {0, 1}, {0.1, 1}, {0.25, 2}, {0.7, 2}, {0.75, 3}, {0.99, 3}, {1, 3}, {2, 3}};
    for (const auto& [offset, expected] : table) {
        EXPECT_DOUBLE_EQ(presentedAt(begin + offset), expected) << "at " << offset;
    }
}

TEST_F(AnimationTimingTest, DiscreteVisibilityWithKeyTimesPastTheEnds) {
    // Shown from t_in to t_out; an in-frame past the end never shows, an out-frame
    // before the start never shows either.
    struct Case {
        std::vector<double> keyTimes;
        std::vector<std::pair<double, double>> table;
    };
    const std::vector<Case> cases = {
        {{0, 0.1, 0.5, 1}, {{0.05, 1}, {0.1, 0}, {0.3, 0}, {0.5, 1}, {1, 1}}},
        {{0, 1.3, 1, 1}, {{0, 1}, {0.5, 1}, {1, 1}}},
        {{0, 0, -0.2, 1}, {{0, 1}, {0.5, 1}}},
    };
    for (const Case& c : cases) {
        auto animation = keyframes({true, false, true}, c.keyTimes, 1);
        animation->setCalculationMode(CalculationMode::discrete);
        animation->setFillMode(FillMode::both);
        layer->addAnimation(animation, "hidden");
        const double begin = layer->animation("hidden")->beginTime();
        for (const auto& [offset, expected] : c.table) {
            EXPECT_DOUBLE_EQ(presentedAt(begin + offset), expected) << "at " << offset;
        }
    }
}

TEST_F(AnimationTimingTest, OutOfOrderKeyTimesReadEachSegmentOnItsOwn) {
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
        layer->addAnimation(keyframes(c.values, c.keyTimes, 1), "play");
        const double begin = layer->animation("play")->beginTime();
        EXPECT_NEAR(presentedAt(begin + c.fraction), c.expected, 1e-9) << "at " << c.fraction;
    }
}

TEST_F(AnimationTimingTest, PerSegmentTimingFunctions) {
    auto animation = keyframes({0.0, 10.0, 20.0}, {0, 0.5, 1}, 1);
    animation->setTimingFunctions({TimingFunction::named(TimingFunction::Name::easeIn)});
    layer->addAnimation(animation, "play");
    const double begin = layer->animation("play")->beginTime();
    const double eased = TimingFunction::named(TimingFunction::Name::easeIn).evaluate(0.5);
    EXPECT_NEAR(presentedAt(begin + 0.25), 10 * eased, 1e-9);
    EXPECT_NEAR(presentedAt(begin + 0.75), 15, 1e-9);  // no function for the second segment
}

TEST_F(AnimationTimingTest, PacedSpacesByDistance) {
    auto animation = keyframes({0.0, 10.0, 40.0}, {0, 0.9, 1}, 1);
    animation->setCalculationMode(CalculationMode::paced);
    layer->addAnimation(animation, "play");
    const double begin = layer->animation("play")->beginTime();
    EXPECT_NEAR(presentedAt(begin + 0.25), 10, 1e-9);
    EXPECT_NEAR(presentedAt(begin + 0.5), 20, 1e-9);
}

TEST_F(AnimationTimingTest, ThreeLevelWrapperWithNegativeInnerSpeed) {
    // A whole animation of 60 frames at 30 fps played from frame 40 back to 10:
    // runs of 0..30 and 30..60 frames, a group reading them backwards from 4/3 s,
    // and a wrapper of 1 s around it.
    auto first = keyframes({0.0, 30.0}, {0, 1}, 1);
    auto second = keyframes({30.0, 60.0}, {0, 1}, 1);
    second->setBeginTime(1);
    auto inner = AnimationGroup::make();
    inner->setAnimations({first, second});
    inner->setDuration(2);
    inner->setSpeed(-1);
    inner->setTimeOffset(4.0 / 3.0);
    auto wrapper = AnimationGroup::make();
    wrapper->setAnimations({inner});
    wrapper->setDuration(1);
    wrapper->setFillMode(FillMode::both);
    layer->addAnimation(wrapper, "wrapper");
    const double begin = clock->now();
    const std::vector<std::pair<double, double>> table = {
        {-1, 40}, {0, 40}, {0.5, 25}, {0.9, 13}, {1, 10}, {3, 10}};
    for (const auto& [offset, expected] : table) {
        EXPECT_NEAR(presentedAt(begin + offset), expected, 1e-9) << "at " << offset;
    }

    // The same wrapper looping with auto-reverse comes back up to 40.
    wrapper->setRepeatCount(MediaTiming::foreverRepeatCount);
    wrapper->setAutoreverses(true);
    wrapper->setBeginTime(begin);
    layer->addAnimation(wrapper, "wrapper");
    EXPECT_NEAR(presentedAt(begin + 1.5), 25, 1e-9);
    EXPECT_NEAR(presentedAt(begin + 2), 40, 1e-9);
    EXPECT_NEAR(presentedAt(begin + 10.5), 25, 1e-9);
}

TEST_F(AnimationTimingTest, PlayedRangeEndsOnItsLastFrame) {
    // A range played once, as the second engine builds it: the whole animation of
    // frames 0...last runs inside a wrapper as long as the range, offset to `from`
    // and reversed when `to` lies below it. Ranges that end on the first or last
    // frame reach a multiple of the inner active duration there.
    using Range = std::pair<double, double>;
    std::vector<std::string> wrong;
    for (double fps : {23.976, 24.0, 25.0, 29.97, 30.0, 48.0, 50.0, 59.94, 60.0}) {
        for (double last : {37.0, 60.0, 90.0}) {
            for (double k : {0.0, 1.0, 5.0, 13.0, 29.0}) {
                for (const auto& [from, to] : {Range{k, last}, Range{last - k, 0}, Range{last, k}}) {
                    auto inner = basic(0, last, last / fps);
                    inner->setSpeed(to < from ? -1 : 1);
                    inner->setTimeOffset(from / fps);
                    auto wrapper = AnimationGroup::make();
                    wrapper->setAnimations({inner});
                    wrapper->setDuration(std::fabs(to - from) / fps);
                    wrapper->setFillMode(FillMode::both);
                    layer->addAnimation(wrapper, "play");
                    const double begin = layer->animation("play")->beginTime();
                    const double end = begin + wrapper->duration();
                    for (const auto& [time, frame] : {Range{begin, from}, Range{end, to}, Range{end + 1, to}}) {
                        const double shown = presentedAt(time);
                        if (std::fabs(shown - frame) > 1e-6) {
                            wrong.push_back(std::to_string(fps) + " fps, " + std::to_string(from) + " to " +
                                            std::to_string(to) + " of " + std::to_string(last) + " shows " +
                                            std::to_string(shown) + " for " + std::to_string(frame));
                        }
                    }
                }
            }
        }
    }
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " wrong, first: " << wrong.front();
}

TEST_F(AnimationTimingTest, SinglePrecisionKeyTimesAreReachedOnTheirFrame) {
    // Key times stored in single precision round up about half the time; a value
    // keyed exactly at a frame must still show at that frame, in discrete mode
    // (hidden until `in`, shown until `out`) and at a jump in linear mode.
    std::vector<std::string> wrong;
    for (double fps : {23.976, 24.0, 25.0, 29.97, 30.0, 60.0}) {
        for (int frames : {30, 45, 60, 90, 150}) {
            for (int in = 1; in < frames / 2; ++in) {
                const int out = frames - in;
                const double keyIn = static_cast<float>(static_cast<double>(in) / frames);
                const double keyOut = static_cast<float>(static_cast<double>(out) / frames);
                auto hidden = keyframes({1.0, 0.0, 1.0}, {0, keyIn, keyOut, 1}, frames / fps);
                hidden->setCalculationMode(CalculationMode::discrete);
                layer->addAnimation(hidden, "hidden");
                const double begin = layer->animation("hidden")->beginTime();
                auto at = [&](int frame) { return presentedAt(begin + frame / fps); };
                if (at(in - 1) != 1 || at(in) != 0 || at(out - 1) != 0 || at(out) != 1) {
                    wrong.push_back("discrete " + std::to_string(in) + "/" + std::to_string(frames));
                }
                layer->addAnimation(keyframes({0.0, 10.0, 100.0, 200.0}, {0, keyIn, keyIn, 1}, frames / fps), "hidden");
                if (std::fabs(at(in) - 100) > 1e-4) {
                    wrong.push_back("linear " + std::to_string(in) + "/" + std::to_string(frames));
                }
            }
        }
    }
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " wrong, first: " << wrong.front();
}

TEST_F(AnimationTimingTest, LoopWithTimeOffsetWrapsAround) {
    auto group = AnimationGroup::make();
    auto inner = basic(0, 100, 10);
    group->setAnimations({inner});
    group->setDuration(10);
    group->setRepeatCount(MediaTiming::foreverRepeatCount);
    group->setTimeOffset(4);
    layer->addAnimation(group, "loop");
    const double begin = clock->now();
    EXPECT_NEAR(presentedAt(begin), 40, 1e-9);
    EXPECT_NEAR(presentedAt(begin + 5), 90, 1e-9);
    EXPECT_NEAR(presentedAt(begin + 7), 10, 1e-9);
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
    layer->addAnimation(toOnly, "to");
    EXPECT_DOUBLE_EQ(presentedAt(clock->now() + 5), 30);
    layer->removeAllAnimations();
    auto neither = BasicAnimation::make("frame");
    neither->setDuration(10);
    layer->addAnimation(neither, "none");
    EXPECT_DOUBLE_EQ(presentedAt(clock->now() + 5), 20);
}

TEST_F(AnimationTimingTest, MotionPathMarksItsVerticesWithKeyTimes) {
    Path path;
    path.moveTo({0, 0});
    path.lineTo({100, 0});
    path.lineTo({100, 100});
    path.closeSubpath();
    auto animation = KeyframeAnimation::make("position");
    animation->setPath(path);
    animation->setKeyTimes({0, 0.25, 1});
    animation->setDuration(1);
    animation->setFillMode(FillMode::forwards);
    auto target = Layer::make();
    target->addAnimation(animation, "move");
    const double begin = clock->now();
    const std::vector<std::pair<double, Point>> table = {
        {0, {0, 0}}, {0.125, {50, 0}}, {0.25, {100, 0}}, {0.625, {100, 50}}, {1, {100, 100}}, {2, {100, 100}}};
    for (const auto& [offset, expected] : table) {
        const Point point = *target->presentedValue("position", begin + offset)->get<Point>();
        EXPECT_NEAR(point.x, expected.x, 1e-9) << "at " << offset;
        EXPECT_NEAR(point.y, expected.y, 1e-9) << "at " << offset;
    }
}

TEST_F(AnimationTimingTest, MotionPathMovesAtEvenSpeedAlongACurve) {
    // A cubic whose control points bunch its parameter at the start: even speed
    // means halfway by arc length, not by parameter.
    Path path;
    path.moveTo({0, 0});
    path.curveTo({0, 0}, {0, 0}, {100, 0});
    auto animation = KeyframeAnimation::make("transform.translation");
    animation->setPath(path);
    animation->setKeyTimes({0, 1});
    animation->setDuration(1);
    auto target = Layer::make();
    target->addAnimation(animation, "move");
    const double begin = clock->now();
    for (double fraction : {0.1, 0.5, 0.9}) {
        const Point point = *target->presentedValue("transform.translation", begin + fraction)->get<Point>();
        EXPECT_NEAR(point.x, 100 * fraction, 0.5) << "at " << fraction;
    }
}

}  // namespace
