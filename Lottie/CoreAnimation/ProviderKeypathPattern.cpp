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
    const std::size_t length = text.size();
    // reachable[j]: the tokens so far can match exactly the first j characters.
    // Each token takes one pass over the subject, so that a pattern with
    // wildcards costs no more than its tokens times the subject's length, however
    // long a document makes its names.
    std::vector<bool> reachable(length + 1, false);
    reachable[0] = true;
    for (const Token& token : tokens) {
        std::vector<bool> next(length + 1, false);
        bool any = false;
        switch (token.kind) {
            case Token::Kind::literal:
                for (std::size_t j = 0; j < length; ++j) {
                    next[j + 1] = reachable[j] && text[j] == token.character;
                    any = any || next[j + 1];
                }
                break;
            case Token::Kind::anyText: {
                // Every end from the first reachable start on.
                bool started = false;
                for (std::size_t j = 0; j <= length; ++j) {
                    started = started || reachable[j];
                    next[j] = started;
                }
                any = started;
                break;
            }
            case Token::Kind::oneOrMoreInKey: {
                // An end is reached when some reachable start lies before it with
                // no "." in between; a "." ends every run that crosses it.
                bool inRun = false;
                for (std::size_t end = 1; end <= length; ++end) {
                    inRun = (inRun || reachable[end - 1]) && text[end - 1] != '.';
                    next[end] = inRun;
                    any = any || inRun;
                }
                break;
            }
        }
        if (!any) return false;
        reachable = std::move(next);
    }
    return reachable[length];
}

}  // namespace lottie
