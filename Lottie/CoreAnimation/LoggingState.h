#pragma once
// What the Core Animation engine has already logged, so that a warning meant to
// appear once per root layer appears once. Made by the root layer when it is
// built and shared by every animation context of its tree. Main thread only.

namespace lottie {

struct LoggingState {
    // Set by the first keyframe group with an After Effects expression met while
    // the root layer's animations are built; never reset.
    bool hasLoggedAfterEffectsExpressionsWarning = false;
};

}  // namespace lottie
