#pragma once
// Builds the hash of the playback value types by one rule, so that equal values hash
// alike: the case number first, then each payload field in order; an optional adds 0
// when absent, else 1 and its value; a list its length, then its elements; a number
// its value with -0 folded into 0. Used only inside the hash() of those types.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Graphics/HashCombine.h"

namespace lottie {

class PlaybackModeHasher {
public:
    void addCase(std::size_t caseNumber) { add(std::hash<std::size_t>{}(caseNumber)); }
    void addNumber(double number) { add(platform::graphics::hashDouble(number)); }
    void addBool(bool flag) { add(flag ? 1 : 0); }
    void addText(const std::string& text) { add(std::hash<std::string>{}(text)); }
    void addOptionalNumber(const std::optional<double>& number) {
        addBool(number.has_value());
        if (number) addNumber(*number);
    }
    void addOptionalText(const std::optional<std::string>& text) {
        addBool(text.has_value());
        if (text) addText(*text);
    }
    void addTexts(const std::vector<std::string>& texts) {
        add(texts.size());
        for (const std::string& text : texts) addText(text);
    }
    // A nested value's own hash.
    void add(std::size_t hash) { platform::graphics::hashCombine(seed_, hash); }

    std::size_t value() const { return seed_; }

private:
    std::size_t seed_ = 0;
};

}  // namespace lottie
