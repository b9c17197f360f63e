#pragma once
// Replaces texts from a map: by a text layer's whole dotted keypath, else by its own
// name (the keypath's last key). Made by a caller and shared with the animation layer;
// immutable, so shared freely.

#include <map>
#include <string>

#include "Lottie/Playback/Providers/LegacyAnimationTextProvider.h"

namespace lottie {

class DictionaryTextProvider final : public LegacyAnimationTextProvider {
public:
    explicit DictionaryTextProvider(std::map<std::string, std::string> values) : values_(std::move(values)) {}

    const std::map<std::string, std::string>& values() const { return values_; }

    // The entry for the whole dotted keypath, else for its last key, else the
    // document's text; never nothing.
    std::optional<std::string> replacementText(const AnimationKeypath& keypath,
                                               const std::string& sourceText) const override;
    // The entry for the dotted keypath text, else the document's text.
    std::string replacementTextForKeypathName(const std::string& keypathName,
                                              const std::string& sourceText) const override;

    bool operator==(const DictionaryTextProvider& other) const { return values_ == other.values_; }

private:
    std::map<std::string, std::string> values_;
};

}  // namespace lottie
