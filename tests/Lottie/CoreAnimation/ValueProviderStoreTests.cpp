// The value-provider store: the keypath patterns (wildcards as they must work,
// every other character literal), lookup of the most recent match, replacement
// under equal keys, removal by pattern, and the install messages.

#include <gtest/gtest.h>

#include "Lottie/CoreAnimation/PropertyName.h"
#include "Lottie/CoreAnimation/ProviderKeypathPattern.h"
#include "Lottie/CoreAnimation/ValueProviderStore.h"
#include "Lottie/Playback/ValueProviders/FloatValueProvider.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"

using namespace lottie;
using namespace coreanimationtest;

namespace {

TEST(ProviderKeypathPattern, WildcardsMatchAsTheyMustAndEverythingElseLiterally) {
    struct Case {
        const char* pattern;
        const char* subject;
        bool matches;
    };
    const std::vector<Case> cases = {
        {"Layer 1.Fill 1.Color", "Layer 1.Fill 1.Color", true},
        {"Layer 1.Fill 1.Color", "Layer 1.Fill 2.Color", false},
        {"**.Color", "Layer 1.Fill 1.Color", true},
        {"**.Color", "Color", true},
        {"**.Color", "Layer 1.Stroke 1.Stroke Color", true},
        {"**.Color", "Layer 1.Colors", false},
        {"**", "Anything.At.All", true},
        {"Layer 1.**", "Layer 1.Transform.Opacity", true},
        {"Layer 1.**", "Layer 10.Transform.Opacity", false},
        {"Layer*.Color", "Layer 1.Color", true},
        {"Layer*.Color", "Layer.Color", false},
        {"Layer*.Color", "Layer 1.Group.Color", false},
        {"*.Color", "Shape.Color", true},
        {"*.Color", "Group.Shape.Color", false},
        {"**.Transform.Opacity", "Parent.Child.Transform.Opacity", true},
        // Two wildcards: a run of "*" starts at any place "**" reaches and stops at a ".".
        {"**.*.Color", "Layer 1.Fill 1.Color", true},
        {"**.*.Color", ".Color", false},
        {"**.*e*.Color", "Layer 1.Fill 1.Color", false},
        {"**.*e*.Color", "Layer 1.Shape 1.Color", true},
        {"*.**", "Layer 1", false},
        {"*.**", "Layer 1.Color", true},
        {"Layer**1.Color", "Layer 1.Group 1.Color", true},
        {"Layer*1.Color", "Layer 1.Group 1.Color", false},
        // Characters that mean something to regular expressions mean nothing here.
        {"Layer.1.Color", "Layer 1.Color", false},
        {"Layer (1).Color", "Layer (1).Color", true},
        {"Layer (1).Color", "Layer 1.Color", false},
        {"a+b.Color", "a+b.Color", true},
        {"a+b.Color", "aab.Color", false},
        {"Layer?.Color", "Layer.Color", false},
        {"Layer?.Color", "Layer?.Color", true},
        {"[ab].Color", "a.Color", false},
        {"[ab].Color", "[ab].Color", true},
        {"^Layer$.Color", "^Layer$.Color", true},
        {"\\d.Color", "1.Color", false},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(std::string(item.pattern) + " against " + item.subject);
        EXPECT_EQ(ProviderKeypathPattern::matches(AnimationKeypath(item.pattern), AnimationKeypath(item.subject)),
                  item.matches);
    }
    // A key holding a "." is one key, yet the text form joins every key with "." all the same.
    EXPECT_TRUE(ProviderKeypathPattern::matches(AnimationKeypath(std::vector<std::string>{"a.b", "Color"}),
                                                AnimationKeypath("a.b.Color")));
    EXPECT_TRUE(ProviderKeypathPattern::matches(AnimationKeypath(), AnimationKeypath()));
    EXPECT_FALSE(ProviderKeypathPattern::matches(AnimationKeypath(), AnimationKeypath("Color")));
}

std::shared_ptr<AnyValueProvider> provider(double value) { return std::make_shared<FloatValueProvider>(value); }

TEST(ValueProviderStore, TheMostRecentMatchWinsAndEqualKeysReplace) {
    MessageLog log;
    ValueProviderStore store(log.logger());
    const auto specific = provider(1);
    const auto wildcard = provider(2);
    const AnimationKeypath fill("Layer 1.Fill 1.Color");

    store.installValueProvider(specific, fill);
    store.installValueProvider(wildcard, AnimationKeypath("**.Color"));
    EXPECT_EQ(store.overrideKeyframes(fill), wildcard);
    store.installValueProvider(specific, fill);
    EXPECT_EQ(store.overrideKeyframes(fill), specific);
    ASSERT_EQ(store.valueProviders().size(), 2u);
    EXPECT_EQ(store.valueProviders().back().first, fill);
    EXPECT_EQ(store.overrideKeyframes(AnimationKeypath("Layer 1.Transform.Opacity")), nullptr);

    store.uninstallValueProvider(AnimationKeypath("Layer 1.**"));
    ASSERT_EQ(store.valueProviders().size(), 1u);
    EXPECT_EQ(store.overrideKeyframes(fill), wildcard);
    store.uninstallValueProvider(AnimationKeypath("**"));
    EXPECT_TRUE(store.valueProviders().empty());
    EXPECT_TRUE(log.failedAssertions.empty());
}

TEST(ValueProviderStore, InstallingNamesUnsupportedPropertiesAndClosuresYetStoresThem) {
    MessageLog log;
    ValueProviderStore store(log.logger());
    store.installValueProvider(provider(1), AnimationKeypath("Layer.Transform.Opacity"));
    EXPECT_TRUE(log.failedAssertions.empty());
    store.installValueProvider(provider(1), AnimationKeypath("Layer.Trim.Start"));
    store.installValueProvider(std::make_shared<FloatValueProvider>([](double) { return 1.0; }),
                               AnimationKeypath("Layer.Transform.Rotation"));
    ASSERT_EQ(log.failedAssertions.size(), 2u);
    EXPECT_EQ(log.failedAssertions[0],
              "The Core Animation rendering engine currently doesn't support customizing \"Start\" properties. "
              "Supported properties are: Color, Opacity, Scale, Position, Rotation, Stroke Width, Colors, Stroke Color.");
    EXPECT_EQ(log.failedAssertions[1], ValueProviderStore::closureProviderMessage);
    EXPECT_EQ(store.valueProviders().size(), 3u);
}

TEST(PropertyName, RawValuesAreExactAndInDeclarationOrder) {
    EXPECT_EQ(PropertyNames::fromRawValue("Colors"), PropertyName::gradientColors);
    EXPECT_EQ(PropertyNames::fromRawValue("Stroke Color"), PropertyName::strokeColor);
    EXPECT_EQ(PropertyNames::fromRawValue("colors"), std::nullopt);
    EXPECT_EQ(PropertyNames::fromRawValue(""), std::nullopt);
    for (PropertyName name : PropertyNames::allCases) {
        EXPECT_EQ(PropertyNames::fromRawValue(PropertyNames::rawValue(name)), name);
    }
}

}  // namespace
