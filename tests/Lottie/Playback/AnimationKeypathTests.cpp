#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/Playback/Keypaths/AnimationKeypath.h"
#include "Lottie/Playback/Keypaths/KeyMatching.h"

using lottie::AnimationKeypath;
using Keys = std::vector<std::string>;

namespace {

TEST(AnimationKeypath, SplitsDottedTextAtEveryDot) {
    struct Case {
        const char* text;
        Keys keys;
    };
    const std::vector<Case> cases = {
        {"Layer.Group.Color", {"Layer", "Group", "Color"}},
        {"a..b", {"a", "", "b"}},
        {"", {""}},
        {".a.", {"", "a", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const AnimationKeypath keypath(c.text);
        EXPECT_EQ(keypath.keys(), c.keys);
        EXPECT_EQ(keypath.fullPath(), c.text);
        EXPECT_EQ(keypath, AnimationKeypath(c.keys));
        EXPECT_EQ(std::hash<AnimationKeypath>{}(keypath), std::hash<AnimationKeypath>{}(AnimationKeypath(c.keys)));
    }
    // A key given in a list may hold a dot; it then differs from the split form.
    EXPECT_NE(AnimationKeypath(Keys{"a.b"}), AnimationKeypath("a.b"));
    EXPECT_EQ(AnimationKeypath(Keys{"a.b"}).fullPath(), "a.b");
}

TEST(AnimationKeypath, NextKeypathAfterMatch) {
    struct Case {
        Keys keys;
        const char* name;
        std::optional<Keys> next;
    };
    const std::vector<Case> cases = {
        {{}, "A", std::nullopt},
        {{"A"}, "A", std::nullopt},  // the only key is never stepped past
        {{"A", "B"}, "X", std::nullopt},
        {{"Sh*", "B", "C"}, "Shape", Keys{"B", "C"}},
        {{"**", "B", "C"}, "B", Keys{"C"}},             // "**" stands for no level here
        {{"**", "B", "C"}, "X", Keys{"**", "B", "C"}},  // "**" swallows this level
        {{"**", "Color"}, "Color", Keys{}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(AnimationKeypath(c.keys).fullPath() + " at " + c.name);
        std::optional<AnimationKeypath> next = AnimationKeypath(c.keys).nextKeypathAfterMatch(c.name);
        ASSERT_EQ(next.has_value(), c.next.has_value());
        if (next) {
            EXPECT_EQ(next->keys(), *c.next);
        }
    }
}

TEST(AnimationKeypath, MatchesWholeKeypathsAgainstAPattern) {
    struct Case {
        const char* pattern;
        const char* path;
        bool matches;
    };
    const std::vector<Case> cases = {
        {"A.B.C", "A.B.C", true},  {"A.B.C", "A.B", false},         {"A.*.C", "A.X.C", true},
        {"A.*.C", "A.C", false},   {"A.*.C", "A.X.Y.C", false},     {"**.C", "C", true},
        {"**.C", "A.B.C", true},   {"**.C", "A.B.D", false},        {"A.**", "A.B.C", true},
        {"A.**.C", "A.C", true},   {"**", "anything.at.all", true}, {"A.B", "A.BB", false},
        {"**.*.**.*", "A", false}, {"**.*.**.*", "A.B", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " ~ " + c.path);
        EXPECT_EQ(AnimationKeypath(c.pattern).matches(AnimationKeypath(c.path)), c.matches);
    }
}

TEST(KeyMatching, WildcardsAndPatterns) {
    struct Case {
        const char* key;
        const char* name;
        bool matches;
    };
    const std::vector<Case> cases = {
        {"**", "Anything", true},
        {"*", "", true},
        {"Fill", "fill", false},  // case-sensitive
        {"Fill*", "Fill", true},  // the prefix itself
        {"Fill*", "A Fill", false},
        {"*Color", "Stroke Color", true},
        {"*Color", "Colors", false},
        {"Stroke*Width", "StrokeWidth", true},
        {"Stroke*Width", "Stroke Height", false},
        {"ab*ba", "aba", true},    // prefix and suffix may overlap
        {"a*b*c", "axb*c", true},  // the second star is a plain character
        {"a*b*c", "axbyc", false},
        {"", "a", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " ~ " + c.name);
        EXPECT_EQ(lottie::keyMatchesName(c.name, c.key), c.matches);
    }
}

TEST(KeyMatching, ComparesWholeCharacters) {
    const std::string eAcuteDecomposed = "e\xCC\x81";  // e + combining acute accent
    const std::string eAcuteComposed = "\xC3\xA9";
    const std::string flagUS = "\xF0\x9F\x87\xBA\xF0\x9F\x87\xB8";  // two regional indicators
    const std::string flagFR = "\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7";
    const std::string family = "\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9";  // man ZWJ woman
    struct Case {
        std::string key;
        std::string name;
        bool matches;
    };
    const std::vector<Case> cases = {
        {"e*", eAcuteDecomposed + "x", false},  // a prefix never takes half a character
        {eAcuteDecomposed + "*", eAcuteDecomposed + "x", true},
        {eAcuteComposed + "*", eAcuteDecomposed + "x", false},  // exact: no normalisation
        {"*\xCC\x81", "x" + eAcuteDecomposed, false},           // nor does a suffix
        {"\xF0\x9F\x87\xBA*", flagUS + flagFR, false},
        {"\xF0\x9F\x91\xA8*", family, false},
        {"*\r", "a\r\n", false},
        // Broken UTF-8 is compared byte for byte rather than refused.
        {"\xFF*", "\xFF\xFE", true},
        {"*\xFE", "\xFF\xFE", true},
        {"\xC3*", "\xC3\xA9", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key + " ~ " + c.name);
        EXPECT_EQ(lottie::keyMatchesName(c.name, c.key), c.matches);
    }
}

}  // namespace
