// The keyframe animation builder's rules and edge cases: timing functions from
// easing tangents, key times padded to 0 and 1, calculation-mode runs, runs of no
// length, the single-keyframe shortcut, the expressions warning, resampling
// under complex time remapping and the motion path.

#include <gtest/gtest.h>

#include <cmath>

#include "Lottie/CoreAnimation/KeyframeAnimationBuilder.h"
#include "Lottie/Values/LottieVector1D.h"
#include "Lottie/Values/LottieVector3D.h"
#include "Platform/Compositor/AnimationGroup.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"

using namespace lottie;
using namespace coreanimationtest;
using platform::compositor::AnimatableValue;
using platform::compositor::CalculationMode;
using platform::compositor::KeyframeAnimation;
using platform::compositor::TimingFunction;

namespace {

using Frame = Keyframe<LottieVector1D>;

Frame frame(double time, double value, bool hold = false, std::optional<LottieVector2D> in = std::nullopt,
            std::optional<LottieVector2D> out = std::nullopt) {
    return Frame(LottieVector1D(value), time, hold, in, out, std::nullopt, std::nullopt);
}

const KeyframeValueMapping<LottieVector1D> unchanged = [](const LottieVector1D& value) {
    return AnimatableValue(value.value);
};

const LayerPropertyDescriptor opacity = LayerPropertyDescriptor::withDefault("opacity", AnimatableValue(1.0));

TEST(KeyframeAnimationRules, TimingFunctionsComeFromTheTangentsOfEachPair) {
    const std::vector<Frame> frames = {frame(0, 0, false, std::nullopt, LottieVector2D(0.33, 0)),
                                       frame(10, 1, false, LottieVector2D(0.67, 1), LottieVector2D(0.5, 0)),
                                       frame(20, 2), frame(30, 3)};
    const auto functions = KeyframeAnimationRules::bezierTimingFunctions(frames);
    ASSERT_EQ(functions.size(), 3u);
    EXPECT_EQ(functions[0].controlPoints(), (std::array<float, 4>{0.33f, 0, 0.67f, 1}));
    EXPECT_EQ(functions[1].controlPoints(), (std::array<float, 4>{0.5f, 0, 1, 1}));
    EXPECT_EQ(functions[2].controlPoints(), (std::array<float, 4>{0, 0, 1, 1}));
    EXPECT_TRUE(KeyframeAnimationRules::bezierTimingFunctions(std::vector<Frame>{frame(0, 0)}).empty());
}

TEST(KeyframeAnimationRules, KeyTimesReachFrom0To1WithTheCountsEachModeNeeds) {
    struct Case {
        std::string name;
        std::vector<double> keyTimes;
        CalculationMode mode;
        std::vector<double> expectedKeyTimes;
        std::vector<double> expectedValues;
        std::size_t expectedFunctions;
    };
    const std::vector<Case> cases = {
        {"already 0 to 1", {0, 0.5, 1}, CalculationMode::linear, {0, 0.5, 1}, {0, 1, 2}, 2},
        {"padded at both ends", {0.2, 0.8}, CalculationMode::linear, {0, 0.2, 0.8, 1}, {0, 0, 1, 1}, 3},
        {"discrete drops the last value", {0.2, 0.8}, CalculationMode::discrete, {0, 0.2, 0.8, 1}, {0, 0, 1}, 3},
        {"discrete, not padded", {0, 0.5, 1}, CalculationMode::discrete, {0, 0.5, 1}, {0, 1}, 2},
        {"outside the animation", {-0.5, 1.5}, CalculationMode::linear, {0, -0.5, 1.5, 1}, {0, 0, 1, 1}, 3},
        {"one keyframe inside", {0.5}, CalculationMode::linear, {0, 0.5, 1}, {0, 0, 0}, 2},
        {"single-precision ends", {static_cast<float>(0.0), static_cast<float>(1.0)}, CalculationMode::linear, {0, 1}, {0, 1}, 1},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        MessageLog log;
        std::vector<AnimatableValue> values;
        std::vector<TimingFunction> functions;
        for (std::size_t i = 0; i < item.keyTimes.size(); ++i) {
            values.emplace_back(static_cast<double>(i));
            if (i > 0) functions.emplace_back(0.1f, 0.2f, 0.3f, 0.4f);
        }
        std::vector<double> keyTimes = item.keyTimes;
        KeyframeAnimationRules::conformToKeyframeAnimationRules(values, keyTimes, functions, item.mode, *log.logger());
        EXPECT_EQ(keyTimes, item.expectedKeyTimes);
        std::vector<double> numbers;
        for (const AnimatableValue& value : values) numbers.push_back(*value.number());
        EXPECT_EQ(numbers, item.expectedValues);
        ASSERT_EQ(functions.size(), item.expectedFunctions);
        if (item.expectedKeyTimes.front() != item.keyTimes.front()) {
            EXPECT_TRUE(functions.front().isLinear());
        }
        EXPECT_TRUE(log.failedAssertions.empty());
    }
    // A mode the rules do not know only reaches the assertion-failure handler.
    MessageLog log;
    std::vector<AnimatableValue> values = {AnimatableValue(0.0), AnimatableValue(1.0)};
    std::vector<double> keyTimes = {0, 1};
    std::vector<TimingFunction> functions = {TimingFunction()};
    KeyframeAnimationRules::conformToKeyframeAnimationRules(values, keyTimes, functions, CalculationMode::paced,
                                                            *log.logger());
    EXPECT_EQ(log.assertionFailures, std::vector<std::string>{"Unexpected keyframe calculation mode paced"});
    EXPECT_EQ(values.size(), 2u);
}

TEST(CalculationModeRuns, CutWhereTheHoldFlagChanges) {
    struct Case {
        std::string name;
        std::vector<bool> holds;
        std::vector<std::vector<double>> runs;  // keyframe times
    };
    const std::vector<Case> cases = {
        {"one flag", {false, false, false}, {{0, 1, 2}}},
        {"a hold span between interpolated ones", {false, false, true, true, false}, {{0, 1, 2}, {2, 3, 4}, {4}}},
        {"alternating", {true, false, true, false}, {{0, 1}, {1, 2}, {2, 3}, {3}}},
        {"a change at the last keyframe", {false, false, true}, {{0, 1, 2}, {2}}},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        std::vector<Frame> frames;
        for (std::size_t i = 0; i < item.holds.size(); ++i) frames.push_back(frame(static_cast<double>(i), 0, item.holds[i]));
        std::vector<std::vector<double>> runs;
        for (const auto& run : CalculationModeRuns::split(frames)) {
            runs.emplace_back();
            for (const Frame& keyframe : run) runs.back().push_back(keyframe.time());
        }
        EXPECT_EQ(runs, item.runs);
    }
}

class KeyframeAnimationBuilderTest : public ClockTest {
protected:
    // Builds and attaches on a new layer; the value presented at each frame of a
    // request over the whole animation (0 to 60 at 30 frames per second).
    std::vector<double> presentedValues(const std::vector<Frame>& frames, const std::vector<double>& at) {
        auto layer = platform::compositor::Layer::make();
        const LayerAnimationContext context = rootContext(animation, log.logger(), 0, 60);
        KeyframeAnimationBuilder::attach(LayerPropertyDescriptor::withDefault("shadowRadius", std::nullopt),
                                         KeyframeGroup<LottieVector1D>(frames), unchanged, context, *layer);
        std::vector<double> values;
        for (double f : at) {
            const auto value = presentedAtFrame(*layer, "shadowRadius", 30, 0, 60, f, clock->now());
            values.push_back(value ? value->number().value_or(NAN) : NAN);
        }
        return values;
    }

    std::shared_ptr<const LottieAnimation> animation = emptyAnimation(0, 60, 30);
};

TEST_F(KeyframeAnimationBuilderTest, OneKeyframeIsNothingAModelValueOrABasicAnimation) {
    const LayerAnimationContext context = rootContext(animation, log.logger(), 0, 60);
    auto layer = platform::compositor::Layer::make();
    // Opacity 100 is the layer's default: nothing, and the layer is untouched.
    EXPECT_FALSE(KeyframeAnimationBuilder::animationForKeyframes(
        opacity, KeyframeGroup<LottieVector1D>({frame(0, 100)}),
        KeyframeValueMapping<LottieVector1D>([](const LottieVector1D& v) { return AnimatableValue(v.value / 100); }),
        context, *layer));
    EXPECT_EQ(layer->opacity(), 1);
    // A value the layer does not show yet becomes its model value.
    EXPECT_FALSE(KeyframeAnimationBuilder::animationForKeyframes(opacity, KeyframeGroup<LottieVector1D>({frame(0, 0.5)}),
                                                                 unchanged, context, *layer));
    EXPECT_EQ(layer->opacity(), 0.5);
    // Once the layer shows another value, a basic animation holds the new one.
    auto animation = std::dynamic_pointer_cast<platform::compositor::BasicAnimation>(
        KeyframeAnimationBuilder::animationForKeyframes(opacity, KeyframeGroup<LottieVector1D>({frame(0, 0.25)}),
                                                        unchanged, context, *layer));
    ASSERT_TRUE(animation);
    EXPECT_EQ(animation->fromValue(), AnimatableValue(0.25));
    EXPECT_EQ(animation->toValue(), AnimatableValue(0.25));
    EXPECT_EQ(layer->opacity(), 0.5);
    // The value the layer shows already (set by an earlier pass): nothing, and
    // the layer is untouched.
    EXPECT_FALSE(KeyframeAnimationBuilder::animationForKeyframes(opacity, KeyframeGroup<LottieVector1D>({frame(0, 0.5)}),
                                                                 unchanged, context, *layer));
    EXPECT_EQ(layer->opacity(), 0.5);
    // No keyframes: nothing, and nothing logged even with an expression.
    EXPECT_FALSE(KeyframeAnimationBuilder::animationForKeyframes(
        opacity, KeyframeGroup<LottieVector1D>(std::vector<Frame>{}, "time"), unchanged, context, *layer));
    EXPECT_TRUE(log.infos.empty());
}

TEST_F(KeyframeAnimationBuilderTest, RunsCoverTheAnimationAndRunsOfNoLengthHoldTheirValue) {
    // A linear span, a hold reached at frame 30 twice (the later keyframe wins), a
    // hold span, and a last keyframe on the end frame that changes the flag.
    const std::vector<Frame> frames = {frame(0, 0), frame(30, 10), frame(30, 20, true), frame(45, 30),
                                       frame(60, 40, true)};
    auto layer = platform::compositor::Layer::make();
    const LayerAnimationContext context = rootContext(animation, log.logger(), 0, 60);
    auto group = std::dynamic_pointer_cast<platform::compositor::AnimationGroup>(
        KeyframeAnimationBuilder::animationForKeyframes(LayerPropertyDescriptor::withDefault("shadowRadius", std::nullopt),
                                                        KeyframeGroup<LottieVector1D>(frames), unchanged, context,
                                                        *layer));
    ASSERT_TRUE(group);
    // Runs (0 30 30) (30 45) (45 60) (60): begin times never decrease and each run
    // ends where the next begins; no key time is 0/0.
    ASSERT_EQ(group->animations().size(), 4u);
    double expectedBegin = 0;
    for (const auto& child : group->animations()) {
        auto run = std::dynamic_pointer_cast<const KeyframeAnimation>(child);
        ASSERT_TRUE(run);
        EXPECT_NEAR(run->beginTime(), expectedBegin, 1e-12);
        expectedBegin = run->beginTime() + run->duration();
        for (double keyTime : run->keyTimes()) EXPECT_TRUE(std::isfinite(keyTime));
    }
    KeyframeInterpolator<LottieVector1D> interpolator(frames);
    const std::vector<double> at = {0, 15, 29.5, 30, 37, 45, 50, 59.5, 60};
    const std::vector<double> presented = presentedValues(frames, at);
    for (std::size_t i = 0; i < at.size(); ++i) {
        EXPECT_NEAR(presented[i], interpolator.value(at[i]).value, 1e-9) << "frame " << at[i];
    }
    EXPECT_TRUE(log.failedAssertions.empty());
}

TEST_F(KeyframeAnimationBuilderTest, TheExpressionsWarningAppearsOncePerRootLayer) {
    LayerAnimationContext context = rootContext(animation, log.logger(), 0, 60);
    context.currentKeypath = AnimationKeypath(std::vector<std::string>{"Layer", "Transform"});
    auto layer = platform::compositor::Layer::make();
    const KeyframeGroup<LottieVector1D> withExpression({frame(0, 0.5)}, "wiggle(1, 2)");
    KeyframeAnimationBuilder::animationForKeyframes(opacity, withExpression, unchanged, context, *layer);
    KeyframeAnimationBuilder::animationForKeyframes(opacity, withExpression, unchanged, context, *layer);
    ASSERT_EQ(log.infos.size(), 1u);
    EXPECT_EQ(log.infos[0],
              "`opacity` animation for \"Layer.Transform\" includes an After Effects expression "
              "(https://helpx.adobe.com/after-effects/using/expression-language.html), which is not supported by "
              "Pellor's animation library (expressions are only supported by web-based players). This animation may "
              "not play correctly.");
    EXPECT_EQ(layer->opacity(), 0.5);  // built all the same
}

TEST_F(KeyframeAnimationBuilderTest, ComplexTimeRemappingSamplesEveryRootFrame) {
    struct Case {
        double start;
        double end;
        std::vector<double> times;
    };
    const std::vector<Case> cases = {{0, 5, {0, 1, 2, 3, 4, 5}}, {10.5, 13, {10.5, 11.5, 12.5, 13}}, {7, 7, {7}}, {7, 6, {}}};
    for (const Case& item : cases) {
        LayerAnimationContext context = rootContext(emptyAnimation(item.start, item.end, 30), log.logger(), item.start, item.end);
        context.complexTimeRemapping = [](double) { return 5.0; };
        const KeyframeGroup<LottieVector1D> source({frame(0, 0, true, LottieVector2D(0.2, 0.1), LottieVector2D(0.3, 0.9)), frame(10, 10)});
        const KeyframeGroup<LottieVector1D> resampled = ComplexTimeRemapping::resample(source, context);
        std::vector<double> times;
        for (const Frame& keyframe : resampled.keyframes()) {
            times.push_back(keyframe.time());
            EXPECT_EQ(keyframe.value().value, 0);  // the held value at local time 5
            EXPECT_FALSE(keyframe.isHold());
            EXPECT_FALSE(keyframe.inTangent() || keyframe.outTangent());
        }
        EXPECT_EQ(times, item.times);
        EXPECT_FALSE(resampled.unsupportedAfterEffectsExpression());
    }
    // Under complex remapping the builder resamples and builds with no remapping.
    LayerAnimationContext context = rootContext(animation, log.logger(), 0, 60, 1, CompatibilityTracker::Mode::abort);
    context.mustUseComplexTimeRemapping = true;
    context.currentKeypath = AnimationKeypath(std::vector<std::string>{"Layer"});
    context.complexTimeRemapping = [](double f) { return 60 - f; };
    auto layer = platform::compositor::Layer::make();
    EXPECT_NO_THROW(KeyframeAnimationBuilder::attach(LayerPropertyDescriptor::withDefault("shadowRadius", std::nullopt),
                                                     KeyframeGroup<LottieVector1D>({frame(0, 0), frame(60, 60)}),
                                                     unchanged, context, *layer));
    const auto value = presentedAtFrame(*layer, "shadowRadius", 30, 0, 60, 20, clock->now());
    ASSERT_TRUE(value);
    EXPECT_NEAR(*value->number(), 40, 1e-9);
}

TEST_F(KeyframeAnimationBuilderTest, TheMotionPathLogsValuesThatAreNoPoints) {
    struct Case {
        std::string name;
        std::optional<LottieVector3D> tangent;
        std::size_t logs;
    };
    const std::vector<Case> cases = {
        {"straight", std::nullopt, 2},
        {"only z", LottieVector3D(0, 0, 5), 2},
        {"curved", LottieVector3D(3, 0, 0), 4},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        MessageLog messages;
        const LayerAnimationContext context = rootContext(animation, messages.logger(), 0, 60);
        const std::vector<Keyframe<LottieVector3D>> frames = {
            Keyframe<LottieVector3D>(LottieVector3D(1, 2, 0), 0, false, std::nullopt, std::nullopt, std::nullopt, item.tangent),
            Keyframe<LottieVector3D>(LottieVector3D(3, 4, 0), 60, false, std::nullopt, std::nullopt, item.tangent, std::nullopt)};
        const KeyframeValueMapping<LottieVector3D> toNumber = [](const LottieVector3D& v) { return AnimatableValue(v.x); };
        auto animation = KeyframeRunAnimation::make("transform.translation", frames, std::nullopt, context, toNumber);
        EXPECT_EQ(messages.assertionFailures.size(), item.logs);
        EXPECT_EQ(messages.assertionFailures.front().rfind("Cannot create point from keyframe with value ", 0), 0u);
        // The motion path keeps one key time per keyframe and is not padded.
        EXPECT_EQ(animation->keyTimes().size(), 2u);
        EXPECT_TRUE(animation->path());
        EXPECT_TRUE(animation->values().empty());
    }
}

}  // namespace
