// The animation layer's playhead, recorded playback modes, background
// behaviours and rasterization, on the main-thread engine and a manual clock.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/Lottie/Playback/PlaybackTestSupport.h"

using namespace lottie;
using namespace playbacktest;

namespace {

TEST_F(PlaybackTest, PlayheadPropertiesConvertBetweenFramesProgressAndTime) {
    // Frames 10 ... 110 at 10 frames per second.
    auto layer = host(animation(10, 110));
    EXPECT_EQ(layer->currentFrame(), 10);
    EXPECT_EQ(layer->playheadProgress(), 0);
    EXPECT_EQ(layer->playheadTime(), 0);

    layer->setPlayheadProgress(0.5);
    EXPECT_EQ(layer->currentFrame(), 60);
    EXPECT_EQ(layer->playheadTime(), 5);
    EXPECT_EQ(layer->currentPlaybackMode(), LottiePlaybackMode::paused(LottiePausedState::progress(0.5)));

    layer->setPlayheadTime(2);
    EXPECT_EQ(layer->currentFrame(), 30);
    EXPECT_DOUBLE_EQ(layer->playheadProgress(), 0.2);
    EXPECT_EQ(layer->currentPlaybackMode(), LottiePlaybackMode::paused(LottiePausedState::time(2)));

    layer->setCurrentFrame(200);
    EXPECT_EQ(layer->playheadProgress(), 1);
    EXPECT_EQ(layer->currentPlaybackMode(), LottiePlaybackMode::paused(LottiePausedState::frame(200)));
    layer->setCurrentFrame(-5);
    EXPECT_EQ(layer->playheadProgress(), 0);
    EXPECT_EQ(layer->presentedProgress(), 0);

    // A document whose first and last frames coincide has no progress to speak of.
    auto flat = host(animation(5, 5));
    flat->setCurrentFrame(7);
    EXPECT_EQ(flat->playheadProgress(), 0);

    // Stop goes to frame 0, not to the first frame.
    layer->play();
    advance(1);
    layer->stop();
    EXPECT_EQ(layer->currentFrame(), 0);
}

TEST_F(PlaybackTest, AdoptingPlaybackModesRecordsWhatWasAsked) {
    struct Case {
        std::string name;
        LottiePlaybackMode mode;
        LottiePlaybackMode recorded;
        double frame;  // after a second
    };
    const auto loop = LottieLoopMode::loop();
    const std::vector<Case> cases = {
        {"progress", LottiePlaybackMode::progress(0.5), LottiePlaybackMode::paused(LottiePausedState::progress(0.5)),
         30},
        {"frame", LottiePlaybackMode::frame(12), LottiePlaybackMode::paused(LottiePausedState::frame(12)), 12},
        {"flat to progress", LottiePlaybackMode::flatToProgress(1, loop),
         LottiePlaybackMode::playing(LottiePlayingMode::fromProgress(std::nullopt, 1, loop)), 10},
        {"flat from frame", LottiePlaybackMode::fromFrame(20, 40, loop),
         LottiePlaybackMode::playing(LottiePlayingMode::fromFrame(20, 40, loop)), 30},
        {"flat marker", LottiePlaybackMode::marker("a", loop),
         LottiePlaybackMode::playing(LottiePlayingMode::marker("a", loop)), 20},
        {"to a marker", LottiePlaybackMode::toMarker("b", false, loop),
         LottiePlaybackMode::playing(LottiePlayingMode::fromMarker(std::nullopt, "b", false, loop)), 10},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        auto layer = host(animation());
        layer->adoptPlaybackMode(item.mode);
        EXPECT_EQ(layer->currentPlaybackMode(), item.recorded);
        advance(1);
        EXPECT_NEAR(layer->presentedFrame(), item.frame, 1e-6);
    }

    // A marker the animation does not hold changes nothing, not even the record.
    auto layer = host(animation());
    layer->setCurrentFrame(7);
    layer->pauseAt(LottiePausedState::marker("nope"));
    EXPECT_EQ(layer->currentFrame(), 7);
    EXPECT_EQ(layer->currentPlaybackMode(), LottiePlaybackMode::paused(LottiePausedState::frame(7)));
    // Pause stops a request where it is shown.
    layer->play();
    advance(1);
    layer->adoptPlaybackMode(LottiePlaybackMode::pause());
    EXPECT_NEAR(layer->currentFrame(), 17, 1e-6);
    EXPECT_EQ(layer->currentPlaybackMode(), LottiePlaybackMode::paused());
}

// Without an animation everything reads nothing or 0, and requests go nowhere.
TEST_F(PlaybackTest, ALayerWithoutAnAnimationAnswersNothing) {
    auto empty =
        LottieAnimationLayer::makeEmpty(LottieConfiguration(RenderingEngineOption::mainThread()), log.logger());
    CompletionLog completion;
    empty->play(completion.block());
    empty->playFromProgress(0, 1, LottieLoopMode::loop(), completion.block());
    EXPECT_FALSE(empty->currentPlaybackMode());
    empty->playMarkers({"a"}, completion.block());
    drain();
    EXPECT_FALSE(empty->isPlaying());
    EXPECT_TRUE(completion.calls.empty());

    empty->setPlayheadProgress(0.5);
    empty->setPlayheadTime(3);
    EXPECT_EQ(empty->currentFrame(), 0);
    EXPECT_EQ(empty->playheadProgress(), 0);
    EXPECT_EQ(empty->playheadTime(), 0);
    EXPECT_EQ(empty->presentedFrame(), 0);
    EXPECT_FALSE(empty->progressForMarker("a"));
    EXPECT_FALSE(empty->frameForMarker("a"));
    EXPECT_FALSE(empty->convertPointToKeypath({0, 0}, std::nullopt));
    EXPECT_TRUE(empty->collectAllKeypaths().empty());
    empty->logAllKeypaths();
    empty->redrawCurrentFrame();
    empty->setAnimatorNodesEnabled(false, AnimationKeypath("**"));

}

TEST_F(PlaybackTest, BackgroundBehaviours) {
    struct Case {
        std::string name;
        std::optional<LottieBackgroundBehavior> behaviour;
        bool playingInBackground;
        double frameInBackground;
        std::vector<bool> callsInBackground;
        bool resumesInForeground;
    };
    const std::vector<Case> cases = {
        {"engine default", std::nullopt, false, 20, {}, true},
        {"pause and restore", LottieBackgroundBehavior::pauseAndRestore, false, 20, {}, true},
        {"stop", LottieBackgroundBehavior::stop, false, 0, {false}, false},
        {"pause", LottieBackgroundBehavior::pause, false, 20, {false}, false},
        {"force finish", LottieBackgroundBehavior::forceFinish, false, 60, {false}, false},
        {"continue playing", LottieBackgroundBehavior::continuePlaying, true, 20, {}, true},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        auto layer = host(animation());
        layer->setBackgroundBehavior(item.behaviour);
        CompletionLog completion;
        layer->play(completion.block());
        advance(2);
        layer->animationWillMoveToBackground();
        advance(0);
        EXPECT_EQ(layer->isPlaying(), item.playingInBackground);
        EXPECT_NEAR(layer->presentedFrame(), item.frameInBackground, 1e-6);
        EXPECT_EQ(completion.calls, item.callsInBackground);

        layer->animationWillEnterForeground(false);
        advance(0);
        EXPECT_EQ(layer->isPlaying(), item.resumesInForeground);
        EXPECT_NEAR(layer->presentedFrame(), item.frameInBackground, 1e-6);
        advance(4);
        if (item.resumesInForeground) {
            EXPECT_EQ(completion.calls, std::vector<bool>{true});
        } else {
            EXPECT_EQ(completion.calls, item.callsInBackground);
        }
    }
    ASSERT_EQ(log.assertionFailures.size(), 2u);  // read twice while continuing on the main-thread engine
    EXPECT_EQ(log.assertionFailures[0].rfind("`LottieBackgroundBehavior.continuePlaying` should not be used", 0), 0u);
}

// Still playing when the host comes back: the request starts over where it is
// shown, and its block is still called once.
TEST_F(PlaybackTest, ARequestStillPlayingInTheForegroundStartsOverOnce) {
    auto layer = host(animation());
    CompletionLog running;
    layer->setBackgroundBehavior(LottieBackgroundBehavior::pause);
    layer->play(running.block());
    advance(1);
    layer->animationWillEnterForeground(true);
    advance(0);
    EXPECT_EQ(layer->renderingLayer()->animationKeys().size(), 1u);
    EXPECT_NEAR(layer->presentedFrame(), 10, 1e-6);
    advance(4.5);
    EXPECT_TRUE(running.calls.empty());
    advance(0.5);
    EXPECT_EQ(running.calls, std::vector<bool>{true});
    advance(10);
    EXPECT_EQ(running.calls, std::vector<bool>{true});
}

TEST_F(PlaybackTest, RasterizesOnlyWhileIdle) {
    auto layer = host(animation());
    auto root = layer->renderingLayer();
    layer->setShouldRasterizeWhenIdle(true);
    EXPECT_TRUE(root->shouldRasterize());
    layer->play();
    EXPECT_FALSE(root->shouldRasterize());
    layer->setShouldRasterizeWhenIdle(false);
    EXPECT_FALSE(root->shouldRasterize());
}

}  // namespace
