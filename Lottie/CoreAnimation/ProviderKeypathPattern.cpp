#include "Lottie/CoreAnimation/ProviderKeypathPattern.h"

#include <string>
#include <vector>

namespace lottie {

namespace {

struct Token {
    enum class Kind { literal, anyText, oneOrMoreInKey } kind;
    char character = 0;
};

// The pattern's keys as tokens. A separator that follows "**" is part of it, so
// that "**.Color" can match "Color" at the start and "Stroke Color" as well.
std::vector<Token> tokensOf(const AnimationKeypath& pattern) {
    std::vector<Token> tokens;
    const std::vector<std::string>& keys = pattern.keys();
    bool swallowSeparator = false;
    for (std::size_t keyIndex = 0; keyIndex < keys.size(); ++keyIndex) {
        if (keyIndex > 0 && !swallowSeparator) tokens.push_back({Token::Kind::literal, '.'});
        swallowSeparator = false;
        const std::string& key = keys[keyIndex];
        for (std::size_t i = 0; i < key.size(); ++i) {
            if (key[i] != '*') {
                tokens.push_back({Token::Kind::literal, key[i]});
            } else if (i + 1 < key.size() && key[i + 1] == '*') {
                tokens.push_back({Token::Kind::anyText});
                ++i;
                swallowSeparator = i + 1 == key.size();
            } else {
                tokens.push_back({Token::Kind::oneOrMoreInKey});
            }
        }
    }
    return tokens;
}

}  // namespace

bool ProviderKeypathPattern::matches(const AnimationKeypath& pattern, const AnimationKeypath& subject) {
    const std::vector<Token> tokens = tokensOf(pattern);
    const std::string text = subject.fullPath();
    // reachable[j]: the tokens so far can match exactly the first j characters.
    std::vector<bool> reachable(text.size() + 1, false);
    reachable[0] = true;
    for (const Token& token : tokens) {
        std::vector<bool> next(text.size() + 1, false);
        for (std::size_t j = 0; j <= text.size(); ++j) {
            if (!reachable[j]) continue;
            switch (token.kind) {
                case Token::Kind::literal:
                    if (j < text.size() && text[j] == token.character) next[j + 1] = true;
                    break;
                case Token::Kind::anyText:
                    for (std::size_t end = j; end <= text.size(); ++end) next[end] = true;
                    break;
                case Token::Kind::oneOrMoreInKey:
                    for (std::size_t end = j + 1; end <= text.size() && text[end - 1] != '.'; ++end) next[end] = true;
                    break;
            }
        }
        reachable = std::move(next);
    }
    return reachable[text.size()];
}

}  // namespace lottie
