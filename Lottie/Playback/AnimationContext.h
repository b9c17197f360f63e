#pragma once
// One play request: the frame range it plays, at which frame rate, and the
// delegate that reports its end. Held by the animation layer while the request
// is in force; a restart copies it with a new delegate.

#include <memory>

#include "Lottie/Playback/AnimationCompletionDelegate.h"

namespace lottie {

struct AnimationContext {
    double playFrom = 0;
    double playTo = 0;
    double framerate = 0;
    std::shared_ptr<AnimationCompletionDelegate> closure;

    // Same range and rate, and a completion block on both sides or on neither.
    bool operator==(const AnimationContext& other) const {
        const bool blocks = closure && closure->hasCompletionBlock();
        const bool otherBlocks = other.closure && other.closure->hasCompletionBlock();
        return playFrom == other.playFrom && playTo == other.playTo && framerate == other.framerate &&
               blocks == otherBlocks;
    }
};

}  // namespace lottie
