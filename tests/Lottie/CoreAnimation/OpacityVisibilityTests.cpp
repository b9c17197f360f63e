// The opacity and visibility animations: opacity from percentages and its
// single-keyframe shortcuts, and the layer shown exactly from its in frame to
// its out frame at every frame, whatever range those frames lie in.

#include <gtest/gtest.h>

#include <cmath>

#include "Lottie/CoreAnimation/OpacityAnimation.h"
#include "Lottie/CoreAnimation/VisibilityAnimation.h"
#include "Lottie/Values/LottieVector1D.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"

using namespace lottie;
using namespace coreanimationtest;
using platform::compositor::AnimatableValue;

namespace {

class OpacityVisibilityTest : public HundredFrameTest {};

Keyframe<LottieVector1D> percent(double time, double value) {
    return keyframeAt(LottieVector1D(value), time);
}

TEST_F(OpacityVisibilityTest, OpacityComesFromPercentages) {
    const LayerAnimationContext context = wholeDocument();
    auto opaque = platform::compositor::Layer::make();
    OpacityAnimation::animateOpacity(*opaque, KeyframeGroup<LottieVector1D>({percent(0, 100)}), context);
    EXPECT_FALSE(opaque->hasAnimations());
    EXPECT_EQ(opaque->opacity(), 1);

    auto half = platform::compositor::Layer::make();
    OpacityAnimation::animateOpacity(*half, KeyframeGroup<LottieVector1D>({percent(0, 50)}), context);
    EXPECT_FALSE(half->hasAnimations());
    EXPECT_EQ(half->opacity(), 0.5);

    auto fading = platform::compositor::Layer::make();
    OpacityAnimation::animateOpacity(*fading, KeyframeGroup<LottieVector1D>({percent(0, 0), percent(100, 100)}),
                                     context);
    for (double frame : {0.0, 25.0, 100.0}) {
        const auto value = presentedAt(*fading, "opacity", frame);
        ASSERT_TRUE(value);
        EXPECT_NEAR(value->number().value_or(NAN), frame / 100, 1e-6) << frame;
    }
}

TEST_F(OpacityVisibilityTest, KeyTimesFollowTheInAndOutFrames) {
    struct Case {
        const char* name;
        double inFrame, outFrame;
        float speed;
        std::array<double, 4> expected;
    };
    const std::vector<Case> cases = {
        {"inside", 10, 50, 1, {0, 0.1, 0.5, 1}},
        {"before the start and after the end", -20, 150, 1, {0, 0, 1, 1}},
        {"the end frame while paused", 10, 100, 0, {0, 10 / 101.0, 1, 1}},
        {"in after the end", 150, 200, 1, {0, 1, 1, 1}},
        {"out before the start", 10, -5, 1, {0, 0.1, 0.1, 1}},
        {"in at 0", 0, 30, 1, {0, 0, 0.3, 1}},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        const LayerAnimationContext context = wholeDocument(item.speed);
        const std::array<double, 4> times = VisibilityAnimation::keyTimes(item.inFrame, item.outFrame, context);
        for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR(times[i], item.expected[i], 1e-12) << i;
    }
}

TEST_F(OpacityVisibilityTest, ALayerShowsFromItsInFrameUntilItsOutFrameAtEveryFrame) {
    struct Case {
        double inFrame, outFrame;
    };
    for (const Case item : std::vector<Case>{{10, 50}, {-20, 150}, {0, 100}, {-5, 40}, {60, 300}, {150, 200},
                                             {30, 20}, {-30, -10}}) {
        SCOPED_TRACE(std::to_string(item.inFrame) + " to " + std::to_string(item.outFrame));
        const LayerAnimationContext context = wholeDocument();
        auto layer = platform::compositor::Layer::make();
        VisibilityAnimation::animateVisibility(*layer, item.inFrame, item.outFrame, context);
        for (double frame = 0; frame < 100; frame += 1) {
            const auto hidden = presentedAt(*layer, "hidden", frame + 0.5);
            ASSERT_TRUE(hidden);
            const bool shown = frame >= item.inFrame && frame < item.outFrame;
            EXPECT_EQ(hidden->boolean(), !shown) << "frame " << frame;
        }
    }
}

// A layer shown over the whole document presents one value at every time, so
// that the renderer may keep a picture of it from frame to frame; one that is
// hidden for a while does not.
TEST_F(OpacityVisibilityTest, ALayerShownThroughoutPresentsOneValue) {
    struct Case {
        double inFrame, outFrame;
        bool oneValue;
    };
    for (const Case item : std::vector<Case>{{0, 100, true}, {-20, 150, true}, {0, 101, true}, {10, 100, false},
                                             {0, 50, false}, {10, 50, false}, {150, 200, false}}) {
        SCOPED_TRACE(std::to_string(item.inFrame) + " to " + std::to_string(item.outFrame));
        const LayerAnimationContext context = wholeDocument();
        auto layer = platform::compositor::Layer::make();
        VisibilityAnimation::animateVisibility(*layer, item.inFrame, item.outFrame, context);
        EXPECT_EQ(layer->presentsOneValueAtEveryTime(), item.oneValue);
    }
}

TEST_F(OpacityVisibilityTest, ComplexTimeRemappingResamplesTheVisibility) {
    struct Case {
        double inFrame, outFrame;
    };
    for (const Case item : std::vector<Case>{{10, 50}, {0, 50}, {-20, 30}, {40, 20}, {10, 100}, {0, 120}}) {
        SCOPED_TRACE(std::to_string(item.inFrame) + " to " + std::to_string(item.outFrame));
        LayerAnimationContext context = wholeDocument();
        context.mustUseComplexTimeRemapping = true;
        context.complexTimeRemapping = [](double frame) { return frame; };
        auto layer = platform::compositor::Layer::make();
        VisibilityAnimation::animateVisibility(*layer, item.inFrame, item.outFrame, context);
        EXPECT_TRUE(context.tracker->issues().empty());
        for (double frame = 0; frame < 100; frame += 5) {
            const auto value = presentedAt(*layer, "hidden", frame + 0.5);
            ASSERT_TRUE(value);
            const bool shown = frame >= item.inFrame && frame < item.outFrame;
            EXPECT_EQ(value->boolean(), !shown) << frame;
        }
        // The end frame, which a finished animation keeps, shows the layers
        // that last until it.
        const auto atEnd = presentedAt(*layer, "hidden", 100);
        ASSERT_TRUE(atEnd);
        EXPECT_EQ(atEnd->boolean(), !(item.inFrame <= 100 && item.outFrame >= 100));
    }
}

}  // namespace
