// The Core Animation root layer on its own: what it refuses at set-up, how it
// answers whether it plays, what a failing display pass reports, and the
// messages of what it does not support.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <stdexcept>

#include "Lottie/CoreAnimation/AnimationLayer.h"
#include "Lottie/CoreAnimation/CoreAnimationLayer.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"

using namespace lottie;
using namespace coreanimationtest;

namespace {

using Mode = CompatibilityTracker::Mode;

class CoreAnimationLayerTest : public ClockTest {
protected:
    std::shared_ptr<CoreAnimationLayer> make(std::shared_ptr<const LottieAnimation> animation, Mode mode) {
        tracker = log.tracker(mode);
        auto layer = rootLayer(std::move(animation), tracker, log);
        layer->setDidSetUpAnimation([this](const std::vector<CompatibilityIssue>& issues) { reports.push_back(issues); });
        return layer;
    }

    static CoreAnimationRootLayer::PendingAnimationConfiguration playing(double from, double to,
                                                                         CoreAnimationRootLayer::MediaTimingConfiguration timing) {
        return {{AnimationContext{from, to, 10, std::make_shared<AnimationCompletionDelegate>(nullptr)}, timing, nullptr},
                CoreAnimationRootLayer::PlaybackState::playing()};
    }

    std::shared_ptr<CompatibilityTracker> tracker;
    std::vector<std::vector<CompatibilityIssue>> reports;
};

TEST_F(CoreAnimationLayerTest, AFrameRateThatIsNoPositiveNumberIsRefusedAtSetUp) {
    for (double framerate : std::vector<double>{0.0, -30.0, std::nan(""), HUGE_VAL}) {
        SCOPED_TRACE(framerate);
        reports.clear();
        auto changed = std::make_shared<LottieAnimation>(*emptyAnimation(0, 60, 30));
        changed->framerate = framerate;
        std::shared_ptr<const LottieAnimation> animation = changed;
        EXPECT_THROW(make(animation, Mode::abort), CompatibilityTracker::Error);
        // Track mode keeps the issue, and then installs nothing that would divide by it.
        auto layer = make(animation, Mode::track);
        ASSERT_EQ(tracker->issues().size(), 1u);
        EXPECT_EQ(tracker->issues()[0].context, "root layer");
        EXPECT_NE(tracker->issues()[0].message.find("frame rate"), std::string::npos);
        layer->setPendingAnimationConfiguration(playing(0, 60, {}));
        layer->display();
        EXPECT_FALSE(layer->hasAnimations());
        EXPECT_EQ(layer->timeOffset(), 0);
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].size(), 1u);
        reports.clear();
        layer->setCurrentFrame(30);
        layer->display();
        EXPECT_TRUE(std::isfinite(layer->timeOffset()));
    }
}

TEST_F(CoreAnimationLayerTest, TheTimeRemappingCostCheckCountsWithoutIntegerConversion) {
    struct Case {
        double layers;
        double start, end, framerate;
        std::optional<std::string> message;
        // The frame count of 1e300 frames is printed with every digit of its
        // double, so only the message's start is compared.
        bool startOnly = false;
    };
    const std::vector<Case> cases = {
        {1, 0, 59999, 30, std::nullopt},
        {1, 0, 60000, 30,
         "This animation has a very large number of layers with time remapping (1 layers over 60000 frames) so will "
         "perform poorly with the Core Animation rendering engine."},
        {3, 0, 1e300, 30, "This animation has a very large number of layers with time remapping (3 layers over 1", true},
        {1000, 0, 60, 0, std::nullopt},
        {1000, 0, INFINITY, 30, std::nullopt},
    };
    for (const Case& item : cases) {
        auto animation = emptyAnimation(0, 10, 30);
        auto copy = std::make_shared<LottieAnimation>(*animation);
        copy->startFrame = item.start;
        copy->endFrame = item.end;
        copy->framerate = item.framerate;
        const auto message = CoreAnimationLayer::timeRemappingCostMessage(item.layers, *copy);
        if (item.startOnly) {
            ASSERT_TRUE(message);
            EXPECT_EQ(message->rfind(*item.message, 0), 0u);
        } else {
            EXPECT_EQ(message, item.message);
        }
    }
}

TEST_F(CoreAnimationLayerTest, IsAnimationPlayingAnswersForSpeed0AndRepeatCount0) {
    struct Case {
        std::string name;
        CoreAnimationRootLayer::MediaTimingConfiguration timing;
        std::vector<std::pair<double, bool>> afterSeconds;  // once the progress animation is gone
    };
    const std::vector<Case> cases = {
        {"a repeat count of 0 plays once", {false, 0, 1, 0}, {{0, true}, {3.9, true}, {0.2, false}}},
        {"speed 0 never advances", {false, 1, 0, 0}, {{0, false}, {10, false}}},
        {"twice at double speed", {true, 1, 2, 0}, {{3.9, true}, {0.2, false}}},
        {"for ever", {false, FLT_MAX, 1, 0}, {{1e6, true}}},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        auto layer = make(emptyAnimation(0, 100, 10), Mode::track);
        layer->setPendingAnimationConfiguration(playing(20, 60, item.timing));
        EXPECT_TRUE(layer->isAnimationPlaying());
        layer->display();
        EXPECT_TRUE(layer->isAnimationPlaying());
        layer->removeAnimation(CoreAnimationLayer::animationProgressKey);
        for (const auto& [seconds, expected] : item.afterSeconds) {
            clock->advance(seconds);
            EXPECT_EQ(layer->isAnimationPlaying(), expected) << "after " << seconds;
        }
    }
}

// A layer of the tree whose animations fail to install.
class FailingLayer final : public platform::compositor::Layer, public AnimationLayer {
public:
    explicit FailingLayer(bool compatibility) : compatibility_(compatibility) {}
    void setupAnimations(const LayerAnimationContext& context) override {
        if (compatibility_) context.addingKeypathComponent("Failing").reportCompatibilityIssue("Cannot animate");
        throw std::runtime_error("out of paint");
    }

private:
    bool compatibility_;
};

TEST_F(CoreAnimationLayerTest, AFailingDisplayPassIsReportedNeverDropped) {
    struct Case {
        std::string name;
        Mode mode;
        bool compatibility;
        std::string reported;
        std::size_t assertionFailures;
    };
    const std::vector<Case> cases = {
        {"another error stops the engine visibly", Mode::abort, false,
         "[root layer] Encountered unexpected error while setting up the animation: out of paint", 1},
        {"in track mode too", Mode::track, false,
         "[root layer] Encountered unexpected error while setting up the animation: out of paint", 1},
        {"a compatibility issue in abort mode", Mode::abort, true, "[Failing] Cannot animate", 0},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        log = MessageLog();
        reports.clear();
        auto layer = make(emptyAnimation(0, 100, 10), item.mode);
        layer->addSublayer(std::make_shared<FailingLayer>(item.compatibility));
        layer->setPendingAnimationConfiguration(playing(0, 100, {}));
        layer->display();
        ASSERT_EQ(reports.size(), 1u);
        ASSERT_EQ(reports[0].size(), 1u);
        EXPECT_EQ(reports[0][0].description(), item.reported);
        EXPECT_EQ(log.assertionFailures.size(), item.assertionFailures);
        // Nothing half installed keeps playing after an unexpected error.
        EXPECT_EQ(layer->hasAnimations(), item.compatibility);
    }
}

TEST_F(CoreAnimationLayerTest, UnsupportedRequestsSaySoThroughTheLogger) {
    auto layer = make(emptyAnimation(0, 100, 10), Mode::track);
    EXPECT_TRUE(layer->collectAllKeypaths().empty());
    EXPECT_EQ(log.infos, std::vector<std::string>{"Cannot log hierarchy keypaths until animation has been set up at least once"});
    layer->setRespectAnimationFrameRate(false);
    EXPECT_TRUE(log.assertionFailures.empty());
    layer->setRespectAnimationFrameRate(true);
    EXPECT_FALSE(layer->valueAtKeypath(AnimationKeypath("a.b"), 3).has_value());
    EXPECT_FALSE(layer->layerForKeypath(AnimationKeypath("a")));
    EXPECT_FALSE(layer->nodesAtKeypath(AnimationKeypath("a")));
    EXPECT_EQ(log.assertionFailures,
              (std::vector<std::string>{
                  "The Core Animation rendering engine currently doesn't support `respectAnimationFrameRate`)",
                  "The Core Animation rendering engine doesn't support querying values for individual frames",
                  "The Core Animation rendering engine doesn't support retrieving `CALayer`s by keypath",
                  "The Core Animation rendering engine does not use `AnimatorNode`s"}));
    EXPECT_EQ(layer->playbackAnimationKey(), "animationProgress");
}

TEST_F(CoreAnimationLayerTest, AFeatureTheEngineCannotDrawIsAnIssueOfItsLayer) {
    // The engine shows one fixed text: a second text keyframe is beyond it.
    const std::string document = R"({"t":"A","s":10,"f":"DejaVu Sans","j":0,"tr":0,"lh":12,"fc":[0,0,0]})";
    const std::string layers = R"({"ty":5,"nm":"Text","ind":1,"ip":0,"op":60,"st":0,"ks":{},"t":{"d":{"k":[{"s":)" +
                               document + R"(,"t":0},{"s":)" + document + R"(,"t":30}]},"a":[]}})";
    EXPECT_THROW(make(emptyAnimation(0, 60, 30, layers), Mode::abort), CompatibilityTracker::Error);
    make(emptyAnimation(0, 60, 30, layers), Mode::track);
    ASSERT_EQ(tracker->issues().size(), 1u);
    EXPECT_EQ(tracker->issues()[0].context, "Text");
}

}  // namespace
