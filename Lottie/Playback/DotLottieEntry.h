#pragma once
// What the animation layer takes from a dotLottie package: each animation with
// the playback settings the package gives it, and the package's own image
// provider. The package loader (DotLottieFile) fills these values; the layer
// never needs the package itself. Values; the documents they hold are decoded
// when first asked for (PackagedAnimation) and shared by their copies.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/DotLottie/DotLottieConfiguration.h"
#include "Lottie/DotLottie/DotLottieImageProvider.h"
#include "Lottie/DotLottie/PackagedAnimation.h"
#include "Lottie/Model/LottieAnimation.h"

namespace lottie {

// One animation of a package and its configuration.
struct DotLottieEntry {
    DotLottieEntry(std::shared_ptr<const LottieAnimation> decoded, DotLottieConfiguration configuration)
        : configuration(std::move(configuration)),
          document(std::make_shared<const PackagedAnimation>(std::move(decoded))) {}
    DotLottieEntry(std::shared_ptr<const PackagedAnimation> document, DotLottieConfiguration configuration)
        : configuration(std::move(configuration)), document(std::move(document)) {}

    // The document, decoded on the first request from any entry that shares it.
    // Nothing when it cannot be decoded; the reason is logged as a warning once.
    std::shared_ptr<const LottieAnimation> animation() const;
    // As animation(), but throws the decoder's error.
    std::shared_ptr<const LottieAnimation> decodedAnimation() const { return document->decoded(); }

    DotLottieConfiguration configuration;
    std::shared_ptr<const PackagedAnimation> document;
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
