#include "Lottie/Playback/Providers/AnimationKeypathTextProvider.h"

#include "Lottie/Playback/Providers/LegacyAnimationTextProvider.h"

namespace lottie {

std::string resolvedText(const AnimationKeypathTextProvider& provider, const AnimationKeypath& keypath,
                         const std::string& sourceText) {
    if (std::optional<std::string> text = provider.replacementText(keypath, sourceText)) return *text;
    if (const auto* legacy = dynamic_cast<const LegacyAnimationTextProvider*>(&provider)) {
        return legacy->replacementTextForKeypathName(keypath.fullPath(), sourceText);
    }
    return sourceText;
}

}  // namespace lottie
