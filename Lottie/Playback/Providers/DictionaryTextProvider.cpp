#include "Lottie/Playback/Providers/DictionaryTextProvider.h"

namespace lottie {

std::optional<std::string> DictionaryTextProvider::replacementText(const AnimationKeypath& keypath,
                                                                   const std::string& sourceText) const {
    if (auto found = values_.find(keypath.fullPath()); found != values_.end()) return found->second;
    if (!keypath.keys().empty() && !values_.empty()) {
        if (auto found = values_.find(keypath.keys().back()); found != values_.end()) return found->second;
    }
    return sourceText;
}

std::string DictionaryTextProvider::replacementTextForKeypathName(const std::string& keypathName,
                                                                  const std::string& sourceText) const {
    if (auto found = values_.find(keypathName); found != values_.end()) return found->second;
    return sourceText;
}

}  // namespace lottie
