#include "Lottie/Playback/Keypaths/AnimationKeypath.h"

#include <functional>

#include "Lottie/Playback/Keypaths/KeyMatching.h"
#include "Platform/Graphics/HashCombine.h"

namespace lottie {

namespace {

std::vector<std::string> splitAtDots(std::string_view text) {
    std::vector<std::string> keys;
    std::size_t start = 0;
    while (true) {
        std::size_t dot = text.find('.', start);
        if (dot == std::string_view::npos) {
            keys.emplace_back(text.substr(start));
            return keys;
        }
        keys.emplace_back(text.substr(start, dot - start));
        start = dot + 1;
    }
}

// Pattern tokens against path tokens, "*" one token, "**" any number of tokens.
// A table over positions, so that many "**" keys stay polynomial.
bool matchTokens(const std::vector<std::string>& pattern, const std::vector<std::string>& path) {
    const std::size_t rows = pattern.size() + 1;
    const std::size_t columns = path.size() + 1;
    // reachable[i][j]: the first i pattern tokens match the first j path tokens.
    std::vector<char> reachable(rows * columns, 0);
    reachable[0] = 1;
    for (std::size_t i = 1; i < rows; ++i) {
        const std::string& token = pattern[i - 1];
        for (std::size_t j = 0; j < columns; ++j) {
            bool match = false;
            if (token == "**") {
                match = reachable[(i - 1) * columns + j] || (j > 0 && reachable[i * columns + j - 1]);
            } else if (j > 0) {
                match = reachable[(i - 1) * columns + j - 1] && (token == "*" || token == path[j - 1]);
            }
            reachable[i * columns + j] = match;
        }
    }
    return reachable[rows * columns - 1];
}

}  // namespace

AnimationKeypath::AnimationKeypath(std::string_view dottedText) : keys_(splitAtDots(dottedText)) {}

std::string AnimationKeypath::fullPath() const {
    std::string path;
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        if (i > 0) path += '.';
        path += keys_[i];
    }
    return path;
}

std::optional<AnimationKeypath> AnimationKeypath::nextKeypathAfterMatch(std::string_view name) const {
    if (keys_.empty()) return std::nullopt;
    const std::string& first = keys_.front();
    if (!keyMatchesName(name, first) || keys_.size() == 1) return std::nullopt;
    if (first == "**") {
        // "**" may stand for this level and more: it stays unless the next key names
        // this element, in which case both are used up here.
        if (keyMatchesName(name, keys_[1])) {
            return AnimationKeypath(std::vector<std::string>(keys_.begin() + 2, keys_.end()));
        }
        return *this;
    }
    return AnimationKeypath(std::vector<std::string>(keys_.begin() + 1, keys_.end()));
}

std::optional<std::string> AnimationKeypath::finalKey() const {
    if (keys_.size() == 1) return keys_.front();
    if (keys_.size() == 2 && keys_.front() == "**") return keys_[1];
    return std::nullopt;
}

bool AnimationKeypath::matches(const AnimationKeypath& other) const {
    std::vector<std::string> pattern;
    for (const std::string& key : keys_) {
        if (key == "*" || key == "**") {
            pattern.push_back(key);
        } else {
            for (std::string& part : splitAtDots(key)) pattern.push_back(std::move(part));
        }
    }
    return matchTokens(pattern, splitAtDots(other.fullPath()));
}

std::size_t AnimationKeypath::hash() const {
    std::size_t seed = std::hash<std::size_t>{}(keys_.size());
    for (const std::string& key : keys_) platform::graphics::hashCombine(seed, std::hash<std::string>{}(key));
    return seed;
}

}  // namespace lottie
