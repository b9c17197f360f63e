#pragma once
// The text provider animation layers and views use when the caller gives none: every
// text layer shows its document's text. Stateless; shared freely.

#include "Lottie/Playback/Providers/LegacyAnimationTextProvider.h"

namespace lottie {

class DefaultTextProvider final : public LegacyAnimationTextProvider {
public:
    // Nothing, so that the legacy form below decides.
    std::optional<std::string> replacementText(const AnimationKeypath& keypath,
                                               const std::string& sourceText) const override;
    // The document's text unchanged.
    std::string replacementTextForKeypathName(const std::string& keypathName,
                                              const std::string& sourceText) const override;
};

}  // namespace lottie
