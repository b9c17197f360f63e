#include <gtest/gtest.h>

#include <typeinfo>

#include "Lottie/Model/Effects/ColorEffectValue.h"
#include "Lottie/Model/Effects/DropShadowEffect.h"
#include "Lottie/Model/Effects/Vector1DEffectValue.h"
#include "tests/Lottie/Model/Assets/ModelFragments.h"

using lottie::ColorEffectValue;
using lottie::DropShadowEffect;
using lottie::EffectValue;
using lottie::EffectValueType;
using lottie::LayerEffect;
using lottie::LayerEffectType;
using lottie::Vector1DEffectValue;
using Kind = platform::json::DecodingError::Kind;

namespace {

// An effect dictionary with the given values (a JSON array's inside).
std::string effect(const std::string& values, const std::string& type = "25") {
    return R"({"nm":"Drop Shadow","ty":)" + type + R"(,"ef":[)" + values + "]}";
}

// Both decoders' drop shadows over the same effect values, through the family factories.
std::vector<std::shared_ptr<const LayerEffect>> bothDecoders(const std::string& json) {
    platform::json::Value value = platform::json::parse("{\"ef\":[" + json + "]}");
    auto dictionary = LayerEffect::layerEffectsFromDictionaries(*lottie::inlineValue<lottie::DictionaryArray>(value, "ef"));
    auto keyed = *LayerEffect::decodeLayerEffectFamily(platform::json::Decoder(value).container(), "ef");
    return {dictionary.at(0), keyed.at(0)};
}

TEST(DropShadowEffect, MatchesExactNameAndExactClassOnly) {
    const char* values = R"(
        {"ty":2,"nm":"Opacity","v":{"k":[1,1,1]}},
        {"ty":0,"nm":"opacity","v":{"k":200}},
        {"ty":0,"nm":"Distance","v":{"k":7}},
        {"ty":0,"nm":"Distance","v":{"k":9}},
        {"ty":9999,"nm":"Softness"},
        {"ty":0,"nm":"Shadow Color","v":{"k":3}})";
    for (const auto& decoded : bothDecoders(effect(values))) {
        auto shadow = std::dynamic_pointer_cast<const DropShadowEffect>(decoded);
        ASSERT_TRUE(shadow);
        EXPECT_FALSE(shadow->opacity());  // a colour and a lower-case name don't count
        EXPECT_DOUBLE_EQ(modeltest::staticValue(shadow->distance()), 7);
        EXPECT_FALSE(shadow->radius());  // the base class doesn't count
        EXPECT_FALSE(shadow->color());   // a slider doesn't count
        EXPECT_FALSE(shadow->angle());
    }
}

TEST(LayerEffectDecoding, DecodersDifferOnUnknownValuesAndNames) {
    const char* values = R"({"ty":7,"nm":"Seven"},{"ty":9999,"nm":"Unknown"},{"nm":"Untyped"},{"ty":0,"nm":"Slider","v":{"k":1}})";
    platform::json::Value json = platform::json::parse(std::string(R"({"ty":5,"ef":[)") + values + "]}");

    LayerEffect dictionary(json);
    EXPECT_EQ(dictionary.name, "Layer");
    EXPECT_EQ(dictionary.type, LayerEffectType::unknown);
    ASSERT_EQ(dictionary.effects.size(), 3u);  // type 7 dropped, the others kept in order
    EXPECT_EQ(dictionary.effects[0]->name, "Unknown");
    EXPECT_EQ(dictionary.effects[1]->type, EffectValueType::unknown);
    EXPECT_EQ(dictionary.effects[1]->name, "Untyped");
    const auto& thirdValue = *dictionary.effects[2];
    EXPECT_EQ(typeid(thirdValue), typeid(Vector1DEffectValue));

    // The keyed decoder keeps type 7 as a plain value and needs every value's "ty".
    platform::json::Value typed = platform::json::parse(std::string(R"({"ty":5,"ef":[)") +
                                                        R"({"ty":7,"nm":"Seven"},{"ty":9999,"nm":"Unknown"}]})");
    LayerEffect keyed{platform::json::Decoder(typed)};
    EXPECT_EQ(keyed.name, "Effect");
    ASSERT_EQ(keyed.effects.size(), 2u);
    EXPECT_EQ(keyed.effects[0]->type, EffectValueType::unknown);
    const auto& firstValue = *keyed.effects[0];
    EXPECT_EQ(typeid(firstValue), typeid(EffectValue));
    modeltest::expectDecodingError([&] { LayerEffect{platform::json::Decoder(json)}; }, Kind::keyNotFound);
}

TEST(LayerEffectDecoding, DictionaryDecoderErrors) {
    struct Case {
        std::string json;
        const char* file;
        unsigned line;
    };
    const Case cases[] = {
        {R"({"nm":"x"})", "Lottie/LayerEffect", 48},
        {R"({"ty":"25"})", "Lottie/LayerEffect", 48},
        {effect(R"({"ty":0,"nm":"a"})"), "Lottie/Vector1DEffectValue", 17},
        {effect(R"({"ty":2,"nm":"a","v":[1,1,1]})"), "Lottie/ColorEffectValue", 17},
        {effect(R"({"ty":0,"nm":"a","v":{}})"), "Lottie/KeyframeGroup", 166},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        modeltest::expectInvalidInput([&] { modeltest::fromDictionary<LayerEffect>(c.json); }, c.file, c.line);
    }
}

TEST(LayerEffectDecoding, KeyedDecoderKeepsUnreadableValuesWithoutValue) {
    auto effect = modeltest::fromContainer<LayerEffect>(
        R"({"ty":25,"ef":[{"ty":0,"nm":"Distance","v":"far"},{"ty":2,"nm":"Shadow Color"}]})");
    ASSERT_EQ(effect->effects.size(), 2u);
    EXPECT_FALSE(std::static_pointer_cast<const Vector1DEffectValue>(effect->effects[0])->value);
    EXPECT_FALSE(std::static_pointer_cast<const ColorEffectValue>(effect->effects[1])->value);
    // An absent value is written as null and read back as absent.
    std::string text = modeltest::encoded(*effect);
    EXPECT_EQ(text, R"({"nm":"Effect","ty":25,"ef":[{"ty":0,"nm":"Distance","v":null},)"
                    R"({"ty":2,"nm":"Shadow Color","v":null}]})");
    EXPECT_EQ(modeltest::encoded(*modeltest::fromContainer<LayerEffect>(text)), text);
    // An effect value's type must be an integer here.
    modeltest::expectDecodingError(
        [] { modeltest::fromContainer<LayerEffect>(R"({"ty":5,"ef":[{"ty":"0","nm":"a"}]})"); }, Kind::typeMismatch);
    modeltest::expectDecodingError([] { modeltest::fromContainer<LayerEffect>(R"({"ty":"5"})"); }, Kind::typeMismatch);
}

TEST(LayerEffectDecoding, ValueListsOfTheWrongShapeAreEmpty) {
    for (const char* values : {"{}", "5", "null", "[1]", ""}) {
        SCOPED_TRACE(values);
        std::string json = *values ? std::string(R"({"ty":25,"ef":)") + values + "}" : R"({"ty":25})";
        EXPECT_TRUE(modeltest::fromDictionary<LayerEffect>(json)->effects.empty());
        // An array element that isn't an object fails the keyed decoder.
        if (std::string(values) == "[1]") {
            EXPECT_THROW(modeltest::fromContainer<LayerEffect>(json), platform::json::DecodingError);
        } else {
            EXPECT_TRUE(modeltest::fromContainer<LayerEffect>(json)->effects.empty());
        }
    }
}

}  // namespace
