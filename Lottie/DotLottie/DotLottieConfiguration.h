#pragma once
// The playback settings a package gives one of its animations, derived from its
// manifest entry: its identifier, loop mode and speed, and the package's image
// provider (the same object for every animation of a package). The package
// loader makes one per animation; the animation layer applies it. A plain value.

#include <memory>
#include <string>

#include "Lottie/DotLottie/DotLottieAnimation.h"
#include "Lottie/Playback/PlaybackModes/LottieLoopMode.h"
#include "Lottie/Playback/Providers/AnimationImageProvider.h"

namespace lottie {

class DotLottieImageProvider;

struct DotLottieConfiguration {
    std::string id;
    LottieLoopMode loopMode = LottieLoopMode::playOnce();
    double speed = 1;
    std::shared_ptr<DotLottieImageProvider> dotLottieImageProvider;

    // Loop mode: autoReverse for "bounce" (whatever "loop" says), else loop when
    // "loop" is true, else playOnce. Speed: "speed" (1 when absent) times
    // "direction" (1 when absent), unclamped, so direction 0 stops and -1 reverses.
    static DotLottieConfiguration make(const DotLottieAnimation& animation,
                                       std::shared_ptr<DotLottieImageProvider> imageProvider);

    // The package's provider as the engines see it; none when the package has none.
    std::shared_ptr<AnimationImageProvider> imageProvider() const;
};

}  // namespace lottie
