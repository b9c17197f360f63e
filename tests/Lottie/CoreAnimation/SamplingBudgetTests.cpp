// The per-document budget of keyframe values the Core Animation engine makes:
// what a charge adds and when it refuses, in either tracker mode; the sizes it
// counts; and that combining and resampling are charged before their values
// are made.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "Lottie/CoreAnimation/ComplexTimeRemapping.h"
#include "Lottie/CoreAnimation/KeyframesCombined.h"
#include "Lottie/CoreAnimation/SamplingBudget.h"
#include "Lottie/CoreAnimation/TrimmedPathAnimation.h"
#include "Lottie/Model/ShapeItems/Shape.h"
#include "Lottie/Model/ShapeItems/Trim.h"
#include "Lottie/Playback/ValueProviders/ColorValueProvider.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"

namespace {

using namespace lottie;
using namespace coreanimationtest;

LayerContext contextWith(const std::shared_ptr<CompatibilityTracker>& tracker, double limit) {
    LayerContext context;
    context.tracker = tracker;
    context.layerName = "Budgeted";
    context.samplingBudget = std::make_shared<SamplingBudget>(limit);
    return context;
}

BezierPath polygon(int vertices) {
    BezierPath path;
    for (int index = 0; index < vertices; ++index) path.appendVertex(CurveVertex::corner({double(index), 0}));
    return path;
}

TEST(SamplingBudget, ChargesUpToTheLimitAndRefusesPastItInEitherMode) {
    struct Case {
        const char* name;
        std::vector<std::pair<double, double>> charges;  // count, bytes each
        bool refused;
    };
    const std::vector<Case> cases = {
        {"nothing", {}, false},
        {"exactly the limit", {{10, 50}, {1, 500}}, false},
        {"one byte past it", {{10, 50}, {1, 501}}, true},
        {"a count of nothing", {{0, 1e300}}, false},
        {"a product past every double", {{1e300, 1e300}}, true},
        {"a count that is no number", {{std::nan(""), 1}}, true},
        {"bytes that are no number", {{1, std::nan("")}}, true},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        MessageLog log;
        for (auto mode : {CompatibilityTracker::Mode::track, CompatibilityTracker::Mode::abort}) {
            const auto tracker = log.tracker(mode);
            const LayerContext context = contextWith(tracker, 1000);
            const auto chargeAll = [&] {
                for (const auto& [count, bytes] : item.charges) context.samplingAccount().charge(count, bytes);
            };
            if (!item.refused) {
                EXPECT_NO_THROW(chargeAll());
                EXPECT_TRUE(tracker->issues().empty());
            } else if (mode == CompatibilityTracker::Mode::track) {
                EXPECT_THROW(chargeAll(), SamplingBudget::Exceeded);
                ASSERT_EQ(tracker->issues().size(), 1u);
                EXPECT_EQ(tracker->issues()[0].context, "Budgeted");
                EXPECT_EQ(tracker->issues()[0].message, SamplingBudget::exceededMessage(1000));
                // Once past the limit, even the smallest charge is refused.
                EXPECT_THROW(context.samplingAccount().charge(1, 1), SamplingBudget::Exceeded);
            } else {
                EXPECT_THROW(chargeAll(), CompatibilityTracker::Error);
            }
        }
    }
    // Without a budget nothing is charged or refused.
    EXPECT_NO_THROW(SamplingAccount{}.charge(1e300, 1e300));
}

TEST(SamplingBudget, CountsWhatValuesHold) {
    EXPECT_EQ(SamplingBudget::bytesOf(LottieVector1D(3)), sizeof(LottieVector1D));
    const double small = SamplingBudget::bytesOf(polygon(10));
    const double large = SamplingBudget::bytesOf(polygon(1010));
    EXPECT_EQ(large - small, 1000 * sizeof(lottie::PathElement));
    EXPECT_EQ(SamplingBudget::bytesOf(std::vector<BezierPath>{polygon(10), polygon(1010)}),
              sizeof(std::vector<BezierPath>) + small + large);
    // A path drawn twice takes twice its elements.
    platform::graphics::Path once = polygon(100).toPath();
    platform::graphics::Path twice = once;
    twice.addPath(once);
    const double onceBytes = SamplingBudget::bytesOf(platform::compositor::AnimatableValue(once));
    const double twiceBytes = SamplingBudget::bytesOf(platform::compositor::AnimatableValue(twice));
    EXPECT_EQ(twiceBytes - onceBytes, once.elements().size() * sizeof(platform::graphics::PathElement));
    EXPECT_EQ(SamplingBudget::bytesOf(platform::compositor::AnimatableValue(std::vector<double>(100, 0.5))),
              SamplingBudget::bytesOf(platform::compositor::AnimatableValue(1.0)) + 100 * sizeof(double));
}

// Keyframes whose timing differs are sampled each tenth of a frame: 100,000
// frames make a million samples, each a path of 1,000 vertices.
TEST(SamplingBudget, CombiningAndResamplingAreRefusedBeforeTheirValuesAreMade) {
    MessageLog log;
    const auto path = [](double time) { return keyframeAt(polygon(1000), time); };
    const KeyframeGroup<BezierPath> a({path(0), path(100000)});
    const KeyframeGroup<BezierPath> b({path(1), path(99999)});
    const LayerContext context = contextWith(log.tracker(), SamplingBudget::defaultLimit);
    int made = 0;
    EXPECT_THROW(KeyframesCombined::combined(
                     context.samplingAccount(), false,
                     [&made](const BezierPath& first, const BezierPath&) { return ++made, first; }, a, b),
                 SamplingBudget::Exceeded);
    EXPECT_EQ(made, 0);
    EXPECT_THROW(KeyframesCombined::combined<BezierPath>(context.samplingAccount(), {&a, &b}, false),
                 SamplingBudget::Exceeded);
    // Within the limit the same groups combine, index by index when they share their timing.
    const LayerContext roomy = contextWith(log.tracker(), SamplingBudget::defaultLimit);
    EXPECT_EQ(KeyframesCombined::combined<BezierPath>(roomy.samplingAccount(), {&a, &a}, false).keyframes().size(), 2u);
    EXPECT_GT(roomy.samplingBudget->spent(), 2 * 2 * 1000 * sizeof(lottie::PathElement));

    // Resampled once per frame up to an end frame of 1e15.
    LayerAnimationContext remapped = rootContext(emptyAnimation(0, 1e15, 30), log.logger(), 0, 1e15);
    remapped.samplingBudget = std::make_shared<SamplingBudget>();
    int remaps = 0;
    remapped.complexTimeRemapping = [&remaps](double frame) { return ++remaps, frame; };
    EXPECT_THROW(ComplexTimeRemapping::resample(KeyframeGroup<LottieVector1D>({keyframeAt(LottieVector1D(0), 0.0),
                                                                               keyframeAt(LottieVector1D(1), 10.0)}),
                                                remapped),
                 SamplingBudget::Exceeded);
    EXPECT_EQ(remaps, 0);
}

// A group whose skew animates over 100,000 frames: a million sampled matrices.
const char* const skewedOverLongSpan =
    R"({"v":"5.7.0","fr":30,"ip":0,"op":60,"w":100,"h":100,"layers":[{"ty":4,"nm":"Skewed","ind":1,"ip":0,"op":60,)"
    R"("st":0,"ks":{},"shapes":[{"ty":"gr","nm":"Group","it":[{"ty":"rc","nm":"R","p":{"a":0,"k":[50,50]},)"
    R"("s":{"a":0,"k":[40,40]},"r":{"a":0,"k":0}},{"ty":"fl","nm":"F","c":{"a":0,"k":[1,0,0,1]},)"
    R"("o":{"a":0,"k":100},"r":1},{"ty":"tr","nm":"T","sk":{"a":1,"k":[{"t":0,"s":[0],"i":{"x":[0.5],"y":[0.5]},)"
    R"("o":{"x":[0.5],"y":[0.5]}},{"t":100000,"s":[30]}]},"sa":{"a":0,"k":0}}]}]}]})";

// The root layer refuses once, stays transparent and idle through later
// pauses, and tries again when a provider changes what it would build.
TEST(SamplingBudget, ARefusedDocumentIsNotSetUpAgainUntilItsProvidersChange) {
    MessageLog log;
    const auto tracker = log.tracker();
    const auto layer = rootLayer(LottieAnimation::fromData(skewedOverLongSpan, DecodingStrategy::dictionaryBased),
                                 tracker, log);
    std::vector<std::vector<CompatibilityIssue>> reports;
    layer->setDidSetUpAnimation(
        [&reports](const std::vector<CompatibilityIssue>& issues) { reports.push_back(issues); });
    const std::string refusal = SamplingBudget::exceededMessage(SamplingBudget::defaultLimit);
    const auto refusals = [&reports, &refusal] {
        int count = 0;
        for (const auto& issues : reports) {
            for (const auto& issue : issues) count += issue.message == refusal;
        }
        return count;
    };
    struct Step {
        const char* name;
        std::function<void()> act;
        int refusalsSoFar;
    };
    const std::vector<Step> steps = {
        {"first pause", [&] { layer->setCurrentFrame(0); }, 1},
        {"another frame", [&] { layer->setCurrentFrame(30); }, 1},
        {"played",
         [&] {
             layer->setPendingAnimationConfiguration(CoreAnimationRootLayer::PendingAnimationConfiguration{
                 {AnimationContext{0, 60, 30, std::make_shared<AnimationCompletionDelegate>(nullptr)}, {false, 1, 1, 0},
                  nullptr},
                 CoreAnimationRootLayer::PlaybackState::playing()});
             layer->setNeedsDisplay();
         },
         1},
        {"a provider installed", [&] {
             layer->installValueProvider(std::make_shared<ColorValueProvider>(LottieColor{0, 1, 0, 1}),
                                         AnimationKeypath("**.Color"));
         },
         2},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.act();
        layer->displayIfNeeded();
        EXPECT_EQ(refusals(), step.refusalsSoFar);
        EXPECT_EQ(layer->opacity(), 0);
        EXPECT_FALSE(layer->animation(CoreAnimationLayer::animationProgressKey));
        for (const auto& sublayer : layer->sublayers()) EXPECT_FALSE(sublayer->hasAnimations());
    }
}

// Trims in a row each measure and cut what the trims before them left, at
// every sample: each application is charged, so that hundreds of trims reach
// the limit after a few samples instead of after thousands.
TEST(SamplingBudget, EachTrimInARowIsChargedForWhatItCuts) {
    std::string vertices, tangents;
    for (int index = 0; index < 100; ++index) {
        vertices += (index ? ",[" : "[") + std::to_string(index) + "," + std::to_string(index % 2) + "]";
        tangents += index ? ",[0,0]" : "[0,0]";
    }
    const auto shape = decodedItem<Shape>(R"({"ty":"sh","nm":"P","ks":{"a":0,"k":{"c":true,"v":[)" + vertices +
                                          R"(],"i":[)" + tangents + R"(],"o":[)" + tangents + "]}}}");
    // Each keeps all but a sliver, so that every trim cuts the whole path again.
    const auto trim = decodedItem<Trim>(
        R"({"ty":"tm","nm":"T","s":{"a":0,"k":0},"o":{"a":0,"k":0},"m":1,)"
        R"("e":{"a":1,"k":[{"t":0,"s":[100],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},{"t":10,"s":[99.9]}]}})");
    ASSERT_TRUE(shape && trim);
    const auto spentOn = [&](int trims) {
        MessageLog log;
        const LayerContext context = contextWith(log.tracker(CompatibilityTracker::Mode::track), 1e12);
        const auto sampler = ShapePathAnimation::pathSampler(*shape, context.samplingAccount());
        const std::vector<const Trim*> cutting(trims, trim.get());
        EXPECT_TRUE(TrimmedPathAnimation::cutPaths({sampler}, cutting, context.samplingAccount()));
        return context.samplingBudget->spent();
    };
    const double one = spentOn(1);
    EXPECT_GT(one, 0);
    // Two hundred trims cut the path two hundred times at each sample.
    EXPECT_GT(spentOn(200), 40 * one);
}

}  // namespace
