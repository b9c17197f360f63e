#pragma once
// What an animation layer does with a running play request when its host goes to
// the background: stop, pause, pause and restore on return, jump to the end, or
// keep playing. A plain value held by the animation layer and its views.

#include "Lottie/Playback/RenderingEngineOption.h"

namespace lottie {

enum class LottieBackgroundBehavior { stop, pause, pauseAndRestore, forceFinish, continuePlaying };

// The behaviour used when none was set: the Core Animation engine keeps playing on
// its own, while the main-thread engine pauses and picks up where it was.
constexpr LottieBackgroundBehavior defaultBackgroundBehavior(RenderingEngine engine) {
    return engine == RenderingEngine::coreAnimation ? LottieBackgroundBehavior::continuePlaying
                                                    : LottieBackgroundBehavior::pauseAndRestore;
}

}  // namespace lottie
