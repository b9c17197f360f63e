// The compatibility tracker in both modes as the engine's contexts report to it,
// the time and progress of frames, and the timing wrapper's placing of an
// animation in the play request's time.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Lottie/CoreAnimation/AnimationTimingWrapper.h"
#include "Lottie/CoreAnimation/LayerContext.h"
#include "Platform/Compositor/BasicAnimation.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"

using namespace lottie;
using namespace coreanimationtest;

namespace {

using Mode = CompatibilityTracker::Mode;

TEST(CompatibilityTracking, TrackModeRecordsWhatAbortModeThrows) {
    struct Case {
        std::string name;
        std::vector<std::string> keypath;
        std::string message;
        std::string storedMessage;
        std::string description;
        bool assertsEmptyContext;
    };
    const std::vector<Case> cases = {
        {"a line break becomes a blank", {"Layer", "Shape"}, "first\nsecond", "first second", "[Layer.Shape] first second", false},
        {"the root context is empty", {}, "message", "message", "[] message", true},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        for (Mode mode : {Mode::track, Mode::abort}) {
            MessageLog log;
            LayerAnimationContext context = rootContext(emptyAnimation(0, 60, 30), log.logger(), 0, 60, 1, mode);
            context.currentKeypath = AnimationKeypath(item.keypath);
            if (mode == Mode::abort) {
                try {
                    context.reportCompatibilityIssue(item.message);
                    ADD_FAILURE() << "abort mode must throw";
                } catch (const CompatibilityTracker::Error& error) {
                    EXPECT_EQ(error.issue().message, item.storedMessage);
                    EXPECT_EQ(error.issue().description(), item.description);
                }
                EXPECT_TRUE(context.tracker->issues().empty());
            } else {
                context.reportCompatibilityIssue(item.message);
                ASSERT_EQ(context.tracker->issues().size(), 1u);
                EXPECT_EQ(context.tracker->issues()[0].description(), item.description);
            }
            EXPECT_EQ(log.failedAssertions,
                      item.assertsEmptyContext ? std::vector<std::string>{"Compatibility issue context is unexpectedly empty"}
                                               : std::vector<std::string>{});
        }
    }
    // A layer context names its layer.
    LayerContext layerContext;
    layerContext.tracker = std::make_shared<CompatibilityTracker>(Mode::track, nullptr);
    layerContext.forLayerNamed("Box").reportCompatibilityIssue("Unsupported");
    layerContext.reportCompatibilityIssue("Also");
    ASSERT_EQ(layerContext.tracker->issues().size(), 2u);
    EXPECT_EQ(layerContext.tracker->issues()[0].description(), "[Box] Unsupported");
    EXPECT_EQ(layerContext.tracker->issues()[1].description(), "[root layer] Also");
}

TEST(LayerAnimationContextTiming, TimeAndProgressOfFrames) {
    MessageLog log;
    auto animation = emptyAnimation(0, 60, 30);
    LayerAnimationContext playing = rootContext(animation, log.logger(), 0, 60, 1);
    LayerAnimationContext paused = rootContext(animation, log.logger(), 0, 60, 0);
    EXPECT_DOUBLE_EQ(playing.progress(30), 0.5);
    EXPECT_DOUBLE_EQ(paused.progress(30), 30.0 / 61);
    EXPECT_DOUBLE_EQ(playing.time(30), 1);
    EXPECT_DOUBLE_EQ(paused.time(30), 1);
    // A simple remapping shifts frames; a complex one is refused, and in track mode
    // the simple-remapped time still comes back.
    playing.simpleTimeRemapping = [](double frame) { return frame + 15; };
    EXPECT_DOUBLE_EQ(playing.time(30), 1.5);
    playing.currentKeypath = AnimationKeypath(std::vector<std::string>{"Layer"});
    playing.mustUseComplexTimeRemapping = true;
    EXPECT_DOUBLE_EQ(playing.time(30), 1.5);
    ASSERT_EQ(playing.tracker->issues().size(), 1u);
    EXPECT_EQ(playing.tracker->issues()[0].description(),
              "[Layer] LayerAnimationContext.time(forFrame:) does not support complex time remapping");
    playing.tracker = log.tracker(Mode::abort);
    EXPECT_THROW(playing.progress(30), CompatibilityTracker::Error);
}

class TimingWrapperTest : public ClockTest {};

TEST_F(TimingWrapperTest, PlacesTheWholeAnimationInThePlayRange) {
    struct Case {
        std::string name;
        double from;
        double to;
        float speed;
        double innerDuration;
        double innerSpeed;
        double innerTimeOffset;
        double groupDuration;
    };
    const std::vector<Case> cases = {
        {"forwards", 10, 40, 1, 2, 1, 1.0 / 3, 1},
        {"reversed", 40, 10, 1, 2, -1, 4.0 / 3, 1},
        {"paused", 10, 40, 0, 61.0 / 30, 1, 1.0 / 3, 1},
        {"before the start", -15, 30, 1, 2, 1, -0.5, 1.5},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        LayerAnimationContext context = rootContext(emptyAnimation(0, 60, 30), log.logger(), item.from, item.to, item.speed);
        context.timingConfiguration.autoreverses = true;
        context.timingConfiguration.repeatCount = 2.5f;
        context.timingConfiguration.timeOffset = 0.25;
        auto layer = platform::compositor::Layer::make();
        layer->setTimeOffset(7);
        layer->setSpeed(0);
        auto inner = platform::compositor::BasicAnimation::make("opacity");
        auto group = AnimationTimingWrapper::wrappedInTimingGroup(inner, context, *layer);
        EXPECT_DOUBLE_EQ(inner->duration(), item.innerDuration);
        EXPECT_EQ(inner->speed(), item.innerSpeed);
        EXPECT_DOUBLE_EQ(inner->timeOffset(), item.innerTimeOffset);
        EXPECT_DOUBLE_EQ(group->duration(), item.groupDuration);
        ASSERT_EQ(group->animations().size(), 1u);
        EXPECT_EQ(group->animations()[0], inner);
        EXPECT_TRUE(group->autoreverses());
        EXPECT_EQ(group->repeatCount(), 2.5f);
        EXPECT_EQ(group->timeOffset(), 0.25);
        EXPECT_EQ(group->fillMode(), platform::compositor::FillMode::both);
        EXPECT_FALSE(group->isRemovedOnCompletion());
        if (item.speed == 0) {
            // The layer's time now, and never exactly 0.
            EXPECT_EQ(group->beginTime(), 7);
        } else {
            EXPECT_EQ(group->beginTime(), 0);
        }
    }
    // At a layer time of 0 the paused begin time lies just below it.
    LayerAnimationContext paused = rootContext(emptyAnimation(0, 60, 30), log.logger(), 0, 61, 0);
    auto layer = platform::compositor::Layer::make();
    layer->setSpeed(0);
    auto group = AnimationTimingWrapper::wrappedInTimingGroup(platform::compositor::BasicAnimation::make("opacity"),
                                                              paused, *layer);
    EXPECT_LT(group->beginTime(), 0);
    EXPECT_EQ(group->beginTime(), -std::numeric_limits<double>::denorm_min());
}

}  // namespace
