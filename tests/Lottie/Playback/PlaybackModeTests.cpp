#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Lottie/Playback/PlaybackModes/LottieLoopMode.h"
#include "Lottie/Playback/PlaybackModes/LottiePlaybackMode.h"

using lottie::LottieLoopMode;
using lottie::LottiePlaybackMode;
using PausedState = LottiePlaybackMode::PausedState;
using PlaybackMode = LottiePlaybackMode::PlaybackMode;

namespace {

template <class T>
std::size_t hashOf(const T& value) {
    return std::hash<T>{}(value);
}

// Equality is the compiler's, member by member; the hash is built by hand and must
// agree with it, also where equal numbers differ in their bits.
TEST(LottiePlaybackMode, EqualValuesHashAlike) {
    struct Case {
        const char* name;
        LottiePlaybackMode a;
        LottiePlaybackMode b;
    };
    const std::vector<Case> cases = {
        {"same playing request", LottiePlaybackMode::toProgress(1, LottieLoopMode::loop()),
         LottiePlaybackMode::playing(PlaybackMode::fromProgress(std::nullopt, 1, LottieLoopMode::loop()))},
        {"repeat counts 0 and -0", LottiePlaybackMode::marker("m", LottieLoopMode::repeat(0.0f)),
         LottiePlaybackMode::marker("m", LottieLoopMode::repeat(-0.0f))},
        {"frames 0 and -0", LottiePlaybackMode::frame(0.0), LottiePlaybackMode::frame(-0.0)},
        {"default is paused where the playhead is", LottiePlaybackMode(), LottiePlaybackMode::paused()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.a, c.b);
        EXPECT_EQ(hashOf(c.a), hashOf(c.b));
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
        {"playing from marker", LottiePlaybackMode::toMarker("b", false, once),
         LottiePlaybackMode::toMarker("b", false, loop)},
        {"flat frame", LottiePlaybackMode::fromFrame(2, 8, LottieLoopMode::repeat(4)),
         LottiePlaybackMode::playing(PlaybackMode::fromFrame(2, 8, loop))},
        {"markers unchanged", LottiePlaybackMode::markers({"a"}), LottiePlaybackMode::markers({"a"})},
        {"pause unchanged", LottiePlaybackMode::pause(), LottiePlaybackMode::pause()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.input.replacingLoopMode(loop), c.expected);
    }
}

}  // namespace
