#pragma once
// The older form of text provider, asked by the dotted keypath text once the
// keypath form has nothing. Engines ask it only through resolvedText(). It refines
// the text provider virtually, so one provider may also give text contents scales.

#include <string>

#include "Lottie/Playback/Providers/AnimationKeypathTextProvider.h"

namespace lottie {

class LegacyAnimationTextProvider : public virtual AnimationKeypathTextProvider {
public:
    virtual std::string replacementTextForKeypathName(const std::string& keypathName,
                                                      const std::string& sourceText) const = 0;
};

}  // namespace lottie
