#pragma once
// What the animation layer takes from a dotLottie package: each animation with
// the playback settings the package gives it, and the package's own image
// provider. The package loader turns a loaded package into these values; the
// layer never needs the package itself. Plain values.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/PlaybackModes/LottieLoopMode.h"
#include "Lottie/Playback/Providers/AnimationImageProvider.h"

namespace lottie {

// One animation of a package and its configuration.
struct DotLottieEntry {
    std::string id;
    std::shared_ptr<const LottieAnimation> animation;
    LottieLoopMode loopMode = LottieLoopMode::playOnce();
    double speed = 1;
    // The configuration's own image provider, if it names one.
    std::shared_ptr<AnimationImageProvider> dotLottieImageProvider;
};

struct DotLottieContents {
    // In manifest order; may be empty.
    std::vector<DotLottieEntry> animations;
    // Serves the package's images; none when the package has none.
    std::shared_ptr<AnimationImageProvider> imageProvider;

    // With an identifier, the first entry whose id equals it exactly; without one,
    // the first entry; nothing when nothing matches.
    const DotLottieEntry* findAnimation(const std::optional<std::string>& id) const {
        for (const DotLottieEntry& entry : animations) {
            if (!id || entry.id == *id) return &entry;
        }
        return nullptr;
    }
};

}  // namespace lottie
