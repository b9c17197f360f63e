#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "Lottie/Playback/PlaybackModes/LottieLoopMode.h"
#include "Lottie/Playback/PlaybackModes/LottiePlaybackMode.h"

using lottie::LottieLoopMode;
using lottie::LottieMarkerPosition;
using lottie::LottiePlaybackMode;
using PausedState = LottiePlaybackMode::PausedState;
using PlaybackMode = LottiePlaybackMode::PlaybackMode;

namespace {

template <class T>
std::size_t hashOf(const T& value) {
    return std::hash<T>{}(value);
}

TEST(LottiePlaybackMode, EqualityAndHashingFollowCaseAndPayload) {
    const double nan = std::nan("");
    struct Case {
        const char* name;
        LottiePlaybackMode a;
        LottiePlaybackMode b;
        bool equal;
    };
    const std::vector<Case> cases = {
        {"same playing request", LottiePlaybackMode::toProgress(1, LottieLoopMode::loop()),
         LottiePlaybackMode::playing(PlaybackMode::fromProgress(std::nullopt, 1, LottieLoopMode::loop())), true},
        {"from nothing is not from 0", LottiePlaybackMode::toProgress(1, LottieLoopMode::loop()),
         LottiePlaybackMode::playing(PlaybackMode::fromProgress(0, 1, LottieLoopMode::loop())), false},
        {"marker ends differ", LottiePlaybackMode::paused(PausedState::marker("m", LottieMarkerPosition::start)),
         LottiePlaybackMode::paused(PausedState::marker("m", LottieMarkerPosition::end)), false},
        {"flat progress is not paused at progress", LottiePlaybackMode::progress(0.5),
         LottiePlaybackMode::paused(PausedState::progress(0.5)), false},
        {"repeat counts 0 and -0", LottiePlaybackMode::marker("m", LottieLoopMode::repeat(0.0f)),
         LottiePlaybackMode::marker("m", LottieLoopMode::repeat(-0.0f)), true},
        {"repeat is not repeat backwards", LottiePlaybackMode::marker("m", LottieLoopMode::repeat(2)),
         LottiePlaybackMode::marker("m", LottieLoopMode::repeatBackwards(2)), false},
        {"frames 0 and -0", LottiePlaybackMode::frame(0.0), LottiePlaybackMode::frame(-0.0), true},
        {"NaN equals nothing", LottiePlaybackMode::time(nan), LottiePlaybackMode::time(nan), false},
        {"flat and playing marker differ", LottiePlaybackMode::marker("m", LottieLoopMode::loop()),
         LottiePlaybackMode::playing(PlaybackMode::marker("m", LottieLoopMode::loop())), false},
        {"marker lists by element", LottiePlaybackMode::markers({"a", "b"}), LottiePlaybackMode::markers({"a", "b"}),
         true},
        {"marker lists in order", LottiePlaybackMode::markers({"a", "b"}), LottiePlaybackMode::markers({"b", "a"}),
         false},
        {"progress and frame of one number", LottiePlaybackMode::progress(1), LottiePlaybackMode::frame(1), false},
        {"end marker frame flag counts", LottiePlaybackMode::toMarker("m", true, LottieLoopMode::playOnce()),
         LottiePlaybackMode::toMarker("m", false, LottieLoopMode::playOnce()), false},
        {"default is paused where the playhead is", LottiePlaybackMode(), LottiePlaybackMode::paused(), true},
        {"pause", LottiePlaybackMode::pause(), LottiePlaybackMode::pause(), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.a == c.b, c.equal);
        EXPECT_EQ(c.b == c.a, c.equal);
        if (c.equal) {
            EXPECT_EQ(hashOf(c.a), hashOf(c.b));
        }
    }
    EXPECT_EQ(hashOf(LottieLoopMode::repeat(0.0f)), hashOf(LottieLoopMode::repeat(-0.0f)));
    EXPECT_EQ(hashOf(PausedState::frame(0.0)), hashOf(PausedState::frame(-0.0)));
}

TEST(LottiePlaybackMode, ReplacingTheLoopMode) {
    const LottieLoopMode loop = LottieLoopMode::loop();
    const LottieLoopMode once = LottieLoopMode::playOnce();
    struct Case {
        const char* name;
        LottiePlaybackMode input;
        LottiePlaybackMode expected;
    };
    const std::vector<Case> cases = {
        {"paused unchanged", LottiePlaybackMode::paused(PausedState::frame(10)),
         LottiePlaybackMode::paused(PausedState::frame(10))},
        {"flat marker becomes playing", LottiePlaybackMode::marker("m", once),
         LottiePlaybackMode::playing(PlaybackMode::marker("m", loop))},
        {"playing progress", LottiePlaybackMode::toProgress(0.5, once), LottiePlaybackMode::toProgress(0.5, loop)},
        {"playing frame", LottiePlaybackMode::playing(PlaybackMode::fromFrame(3, 9, once)),
         LottiePlaybackMode::playing(PlaybackMode::fromFrame(3, 9, loop))},
        {"playing from marker", LottiePlaybackMode::toMarker("b", false, once),
         LottiePlaybackMode::toMarker("b", false, loop)},
        {"flat progress", LottiePlaybackMode::flatToProgress(1, once), LottiePlaybackMode::toProgress(1, loop)},
        {"flat frame", LottiePlaybackMode::fromFrame(2, 8, LottieLoopMode::repeat(4)),
         LottiePlaybackMode::playing(PlaybackMode::fromFrame(2, 8, loop))},
        {"flat from marker", LottiePlaybackMode::fromMarker("a", "b", true, once),
         LottiePlaybackMode::playing(PlaybackMode::fromMarker("a", "b", true, loop))},
        {"playing markers unchanged", LottiePlaybackMode::playing(PlaybackMode::markers({"a"})),
         LottiePlaybackMode::playing(PlaybackMode::markers({"a"}))},
        {"flat markers unchanged", LottiePlaybackMode::markers({"a"}), LottiePlaybackMode::markers({"a"})},
        {"pause unchanged", LottiePlaybackMode::pause(), LottiePlaybackMode::pause()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.input.replacingLoopMode(loop), c.expected);
    }
}

}  // namespace
