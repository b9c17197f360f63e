// Playback of the animation layer on the main-thread engine, driven by a manual
// clock: ranges, resume offsets, loop modes, speed, pause, and completion.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Compositor/BasicAnimation.h"
#include "tests/Lottie/Playback/PlaybackTestSupport.h"

using namespace lottie;
using namespace playbacktest;

namespace {

using Request = std::function<void(LottieAnimationLayer&, LottieAnimationLayer::CompletionBlock)>;

std::shared_ptr<const platform::compositor::BasicAnimation> playbackAnimation(const LottieAnimationLayer& layer) {
    auto root = layer.renderingLayer();
    if (!root) return nullptr;
    return std::dynamic_pointer_cast<const platform::compositor::BasicAnimation>(
        root->animation(layer.playbackAnimationKey()));
}

double number(const std::optional<platform::compositor::AnimatableValue>& value) {
    return value && value->number() ? *value->number() : -1;
}

TEST_F(PlaybackTest, PlaysBetweenProgressValuesFramesAndMarkers) {
    struct Case {
        std::string name;
        Request request;
        double from;
        double to;
    };
    const std::vector<Case> cases = {
        {"whole animation", [](auto& l, auto c) { l.play(c); }, 0, 60},
        {"progress", [](auto& l, auto c) { l.playFromProgress(0.25, 0.75, std::nullopt, c); }, 15, 45},
        {"frames backwards", [](auto& l, auto c) { l.playFromFrame(40, 20, std::nullopt, c); }, 40, 20},
        {"from the playhead", [](auto& l, auto c) { l.playFromFrame(std::nullopt, 50, std::nullopt, c); }, 0, 50},
        {"clamped into the animation", [](auto& l, auto c) { l.playFromFrame(-10, 100, std::nullopt, c); }, 0, 60},
        {"markers", [](auto& l, auto c) { l.playFromMarker("a", "b", true, std::nullopt, c); }, 10, 40},
        {"markers without the end frame", [](auto& l, auto c) { l.playFromMarker("a", "b", false, std::nullopt, c); },
         10, 39},
        {"unknown from marker", [](auto& l, auto c) { l.playFromMarker("nope", "b", true, std::nullopt, c); }, 0, 40},
        {"one marker", [](auto& l, auto c) { l.playMarker("b", std::nullopt, c); }, 40, 50},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        auto layer = host(animation());
        CompletionLog completion;
        item.request(*layer, completion.block());
        auto running = playbackAnimation(*layer);
        ASSERT_TRUE(running);
        EXPECT_EQ(number(running->fromValue()), item.from);
        EXPECT_EQ(number(running->toValue()), item.to);
        EXPECT_TRUE(layer->isPlaying());

        const double seconds = std::abs(item.to - item.from) / 10;
        advance(seconds / 2);
        EXPECT_NEAR(layer->presentedFrame(), (item.from + item.to) / 2, 1e-6);
        EXPECT_NEAR(layer->presentedProgress(), (item.from + item.to) / 2 / 60, 1e-6);
        EXPECT_TRUE(completion.calls.empty());
        advance(seconds / 2);
        EXPECT_EQ(completion.calls, std::vector<bool>{true});
        EXPECT_NEAR(layer->currentFrame(), item.to, 1e-9);
        EXPECT_FALSE(layer->isPlaying());
        EXPECT_TRUE(layer->renderingLayer()->animationKeys().empty());
        advance(10);
        EXPECT_EQ(completion.calls, std::vector<bool>{true});
        // Each request gets a key of its own.
        const std::string key = layer->playbackAnimationKey();
        layer->play();
        EXPECT_NE(layer->playbackAnimationKey(), key);
    }
}

TEST_F(PlaybackTest, RequestsThatCannotPlayDoNothing) {
    struct Case {
        std::string name;
        Request request;
    };
    const std::vector<Case> cases = {
        {"unknown marker", [](auto& l, auto c) { l.playMarker("nope", std::nullopt, c); }},
        {"unknown to marker", [](auto& l, auto c) { l.playFromMarker("a", "nope", true, std::nullopt, c); }},
        {"no markers", [](auto& l, auto c) { l.playMarkers({}, c); }},
        {"only unknown markers", [](auto& l, auto c) { l.playMarkers({"x", "y"}, c); }},
        {"not a number", [](auto& l, auto c) { l.playFromProgress(std::nan(""), 1, std::nullopt, c); }},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        auto layer = host(animation());
        CompletionLog completion;
        item.request(*layer, completion.block());
        EXPECT_FALSE(layer->isPlaying());
        advance(10);
        EXPECT_TRUE(completion.calls.empty());
        EXPECT_EQ(layer->currentFrame(), 0);
    }
}

// A request resumes at the frame shown: 10 ... 50 from various playheads and
// speeds. It completes once, and rests at the end its direction reaches (the
// first frame for a backwards pass), from where the next request starts over.
TEST_F(PlaybackTest, ResumesAtTheFrameShownAndRestsAtTheEnd) {
    struct Case {
        double speed;
        double playhead;
        double atStart;
        double afterOneSecond;
        double secondsLeft;
    };
    const std::vector<Case> cases = {
        {1, 30, 30, 40, 1},   // already 20 frames in
        {1, 50, 10, 20, 3},   // at the end: starts over
        {1, 5, 10, 20, 3},    // before the range
        {2, 30, 30, 50, 0},   // twice as fast
        {-1, 30, 30, 20, 1},  // backwards from the middle
        {-1, 10, 50, 40, 3},  // at the end of a backwards pass: starts over
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(testing::Message() << "speed " << item.speed << " playhead " << item.playhead);
        auto layer = host(animation());
        layer->setCurrentFrame(item.playhead);
        layer->setAnimationSpeed(item.speed);
        CompletionLog completion;
        layer->playFromFrame(10, 50, std::nullopt, completion.block());
        advance(0);
        EXPECT_NEAR(layer->presentedFrame(), item.atStart, 1e-6);
        advance(1);
        EXPECT_NEAR(layer->presentedFrame(), item.afterOneSecond, 1e-6);
        advance(item.secondsLeft);
        EXPECT_EQ(completion.calls, std::vector<bool>{true});
        const double end = item.speed > 0 ? 50 : 10;
        EXPECT_EQ(layer->currentFrame(), end);
        advance(1);
        EXPECT_NEAR(layer->presentedFrame(), end, 1e-6);
    }
}

TEST_F(PlaybackTest, LoopModesRepeatAsTheyShould) {
    struct Sample {
        double time;
        double frame;
    };
    struct Case {
        std::string name;
        LottieLoopMode mode;
        std::vector<Sample> samples;
        std::optional<double> endTime;  // none: plays on
        double finalFrame;
    };
    // Each pass of 0 ... 20 takes 2 seconds.
    const std::vector<Case> cases = {
        {"play once", LottieLoopMode::playOnce(), {{1, 10}}, 2, 20},
        {"loop", LottieLoopMode::loop(), {{1, 10}, {3, 10}, {100.5, 5}}, std::nullopt, 0},
        {"auto-reverse", LottieLoopMode::autoReverse(), {{1, 10}, {2.5, 15}, {4.5, 5}}, std::nullopt, 0},
        {"repeat 2.5", LottieLoopMode::repeat(2.5), {{1, 10}, {4.5, 5}}, 5, 10},
        {"repeat backwards once", LottieLoopMode::repeatBackwards(1), {{1, 10}, {3, 10}}, 4, 0},
        {"repeat backwards 1.5", LottieLoopMode::repeatBackwards(1.5), {{5, 10}}, 6, 20},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        auto layer = host(animation());
        CompletionLog completion;
        layer->playFromFrame(0, 20, item.mode, completion.block());
        EXPECT_EQ(layer->loopMode(), item.mode);
        double now = 0;
        for (const Sample& sample : item.samples) {
            advance(sample.time - now);
            now = sample.time;
            EXPECT_NEAR(layer->presentedFrame(), sample.frame, 1e-6) << "at " << sample.time << " s";
        }
        EXPECT_TRUE(completion.calls.empty());
        if (!item.endTime) {
            advance(1000);
            EXPECT_TRUE(layer->isPlaying());
            EXPECT_TRUE(completion.calls.empty());
            continue;
        }
        advance(*item.endTime - now - 0.25);
        EXPECT_TRUE(completion.calls.empty());
        advance(0.25);
        EXPECT_EQ(completion.calls, std::vector<bool>{true});
        // The playhead rests where the playback ended, not at the request's last frame.
        EXPECT_NEAR(layer->currentFrame(), item.finalFrame, 1e-6);
        advance(1);
        EXPECT_NEAR(layer->presentedFrame(), item.finalFrame, 1e-6);
    }
}

TEST_F(PlaybackTest, InterruptedRequestsCompleteOnceWithFalse) {
    struct Case {
        std::string name;
        std::function<void(LottieAnimationLayer&)> interrupt;
        double frameAfter;
    };
    const std::vector<Case> cases = {
        {"stop", [](auto& l) { l.stop(); }, 0},
        {"pause", [](auto& l) { l.pause(); }, 10},
        {"pause at a marker's end",
         [](auto& l) { l.pauseAt(LottiePausedState::marker("a", LottieMarkerPosition::end)); }, 30},
        {"current frame", [](auto& l) { l.setCurrentFrame(12); }, 12},
        {"replaced", [](auto& l) { l.playFromFrame(std::nullopt, 12); }, 10},
        {"rebuilt", [](auto& l) { l.setAnimation(animation()); }, 0},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        auto layer = host(animation());
        CompletionLog completion;
        layer->play(completion.block());
        advance(1);
        item.interrupt(*layer);
        advance(0);
        EXPECT_NEAR(layer->presentedFrame(), item.frameAfter, 1e-6);
        advance(10);
        EXPECT_EQ(completion.calls, std::vector<bool>{false});
    }
}

TEST_F(PlaybackTest, SpeedAndLoopChangesRestartFromTheFrameShownAndReportOnce) {
    auto layer = host(animation());
    CompletionLog completion;
    layer->play(completion.block());
    advance(2);
    layer->setAnimationSpeed(2);
    advance(0);
    EXPECT_NEAR(layer->presentedFrame(), 20, 1e-6);
    advance(1);
    EXPECT_NEAR(layer->presentedFrame(), 40, 1e-6);
    EXPECT_TRUE(completion.calls.empty());
    advance(1);
    EXPECT_EQ(completion.calls, std::vector<bool>{true});

    CompletionLog looping;
    layer->playFromFrame(0, 60, LottieLoopMode::loop(), looping.block());
    advance(7);
    EXPECT_NEAR(layer->presentedFrame(), 20, 1e-6);  // two passes at speed 2, then 1 s more
    layer->setLoopMode(LottieLoopMode::playOnce());
    advance(0);
    EXPECT_NEAR(layer->presentedFrame(), 20, 1e-6);
    advance(2);
    EXPECT_EQ(looping.calls, std::vector<bool>{true});

    // A request that has run to its end is only forgotten by a later change.
    ASSERT_TRUE(layer->animationContext());
    layer->setLoopMode(LottieLoopMode::loop());
    EXPECT_FALSE(layer->animationContext());
    EXPECT_FALSE(layer->isPlaying());
}

TEST_F(PlaybackTest, PlayMarkersPlaysEachAndCompletesAtTheEnd) {
    struct Case {
        std::vector<std::string> names;
        double seconds;  // until the sequence ends
        std::vector<bool> calls;
    };
    const std::vector<Case> cases = {
        {{"a"}, 2, {true}},         {{"a", "nope"}, 2, {true}},  // an unknown last name must not swallow the completion
        {{"nope", "a"}, 2, {true}}, {{"a", "b"}, 3, {true}},    {{"a", "nope", "b"}, 3, {true}},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(testing::PrintToString(item.names));
        auto layer = host(animation());
        CompletionLog completion;
        layer->setLoopMode(LottieLoopMode::loop());
        layer->playMarkers(item.names, completion.block());
        EXPECT_EQ(layer->currentPlaybackMode(), LottiePlaybackMode::playing(LottiePlayingMode::markers(item.names)));
        EXPECT_EQ(layer->loopMode(), LottieLoopMode::playOnce());
        // A display frame every half second: the next marker starts at the frame
        // that reports the end of the one before.
        for (double time = 0.5; time < item.seconds; time += 0.5) advance(0.5);
        EXPECT_TRUE(completion.calls.empty());
        advance(0.5);
        EXPECT_EQ(completion.calls, item.calls);
        advance(5);
        EXPECT_EQ(completion.calls, item.calls);
    }

    // Interrupted while the second marker plays.
    auto layer = host(animation());
    CompletionLog completion;
    layer->playMarkers({"a", "b"}, completion.block());
    advance(2);
    advance(0.5);
    EXPECT_NEAR(layer->presentedFrame(), 45, 1e-6);
    layer->stop();
    advance(1);
    EXPECT_EQ(completion.calls, std::vector<bool>{false});
}

TEST_F(PlaybackTest, ReducedMotionPlaysItsMarkerInstead) {
    const std::vector<std::pair<std::string, Request>> requests = {
        {"play", [](auto& l, auto c) { l.play(c); }},
        {"frames", [](auto& l, auto c) { l.playFromFrame(0, 10, std::nullopt, c); }},
        {"markers", [](auto& l, auto c) { l.playMarkers({"a", "b"}, c); }},
    };
    for (const auto& [name, request] : requests) {
        SCOPED_TRACE(name);
        auto layer = host(animation(), RenderingEngineOption::mainThread(), ReducedMotionOption::reducedMotion());
        ASSERT_TRUE(layer->markerForReducedMotion());
        CompletionLog completion;
        request(*layer, completion.block());
        auto running = playbackAnimation(*layer);
        ASSERT_TRUE(running);
        EXPECT_EQ(number(running->fromValue()), 50);
        EXPECT_EQ(number(running->toValue()), 55);
        advance(0.5);
        EXPECT_EQ(completion.calls, std::vector<bool>{true});
        EXPECT_EQ(layer->currentFrame(), 55);
    }
}

}  // namespace
