#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "Lottie/Playback/Providers/DictionaryTextProvider.h"

using lottie::AnimationKeypath;
using lottie::DictionaryTextProvider;

namespace {

TEST(DictionaryTextProvider, ReplacesByWholeKeypathThenByLayerName) {
    const DictionaryTextProvider provider({{"Comp.Title", "by path"}, {"Title", "by name"}, {"Sub", "sub"}});
    struct Case {
        AnimationKeypath keypath;
        const char* expected;
        const char* legacy;
    };
    const std::vector<Case> cases = {
        {AnimationKeypath("Comp.Title"), "by path", "by path"},
        {AnimationKeypath("Other.Comp.Title"), "by name", "source"},  // the layer's own name
        {AnimationKeypath("Title"), "by name", "by name"},
        {AnimationKeypath("Comp.Sub"), "sub", "source"},
        {AnimationKeypath("Comp.Nothing"), "source", "source"},
        {AnimationKeypath(std::vector<std::string>{}), "source", "source"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keypath.fullPath());
        EXPECT_EQ(provider.replacementText(c.keypath, "source"), c.expected);
        EXPECT_EQ(provider.replacementTextForKeypathName(c.keypath.fullPath(), "source"), c.legacy);
        EXPECT_EQ(lottie::resolvedText(provider, c.keypath, "source"), c.expected);
    }
    const DictionaryTextProvider empty({});
    EXPECT_EQ(empty.replacementText(AnimationKeypath("Comp.Title"), "unchanged"), "unchanged");
}

// Answers only by keypath, and only for one layer: elsewhere the source text stays.
class OneLayerProvider final : public lottie::AnimationKeypathTextProvider {
public:
    std::optional<std::string> replacementText(const AnimationKeypath& keypath, const std::string&) const override {
        if (keypath.fullPath() == "Comp.Title") return "replaced";
        return std::nullopt;
    }
};

TEST(TextProviders, AProviderWithoutALegacyAnswerKeepsTheSource) {
    EXPECT_EQ(lottie::resolvedText(OneLayerProvider(), AnimationKeypath("Comp.Title"), "source"), "replaced");
    EXPECT_EQ(lottie::resolvedText(OneLayerProvider(), AnimationKeypath("Comp.Other"), "source"), "source");
}

}  // namespace
