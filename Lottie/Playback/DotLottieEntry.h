#pragma once
// What the animation layer takes from a dotLottie package: each animation with
// the playback settings the package gives it, and the package's own image
// provider. The package loader (DotLottieFile) fills these values; the layer
// never needs the package itself. Plain values.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/DotLottie/DotLottieConfiguration.h"
#include "Lottie/DotLottie/DotLottieImageProvider.h"
#include "Lottie/Model/LottieAnimation.h"

namespace lottie {

// One animation of a package and its configuration.
struct DotLottieEntry {
    std::shared_ptr<const LottieAnimation> animation;
    DotLottieConfiguration configuration;
};

struct DotLottieContents {
    // In manifest order; may be empty.
    std::vector<DotLottieEntry> animations;
    // Serves the package's images; none when the package has none.
    std::shared_ptr<DotLottieImageProvider> imageProvider;

    // With an identifier, the first entry whose id equals it exactly; without one,
    // the first entry; nothing when nothing matches.
    const DotLottieEntry* findAnimation(const std::optional<std::string>& id) const {
        for (const DotLottieEntry& entry : animations) {
            if (!id || entry.configuration.id == *id) return &entry;
        }
        return nullptr;
    }
};

}  // namespace lottie
