#include "Lottie/Playback/Providers/DefaultTextProvider.h"

namespace lottie {

std::optional<std::string> DefaultTextProvider::replacementText(const AnimationKeypath&, const std::string&) const {
    return std::nullopt;
}

std::string DefaultTextProvider::replacementTextForKeypathName(const std::string&,
                                                               const std::string& sourceText) const {
    return sourceText;
}

}  // namespace lottie
