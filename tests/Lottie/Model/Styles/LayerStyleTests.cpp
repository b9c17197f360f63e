#include <gtest/gtest.h>

#include <typeinfo>

#include "Lottie/Model/Styles/DropShadowStyle.h"
#include "tests/Lottie/Model/Assets/ModelFragments.h"

using lottie::DropShadowStyle;
using lottie::LayerStyle;
using lottie::LayerStyleType;
using Kind = platform::json::DecodingError::Kind;

namespace {

const char* shadowKeys[][2] = {
    {"o", R"({"k":75})"}, {"c", R"({"k":[0,0,0,1]})"}, {"a", R"({"k":120})"},
    {"s", R"({"k":10})"}, {"d", R"({"k":4})"},
};

// A drop-shadow style with every key but `missing`.
std::string shadowStyle(const std::string& missing = "") {
    std::string json = R"({"nm":"Shadow","ty":1)";
    for (const auto& key : shadowKeys) {
        if (missing != key[0]) json += std::string(",\"") + key[0] + "\":" + key[1];
    }
    return json + "}";
}

std::vector<std::shared_ptr<const LayerStyle>> bothFamilies(const std::string& styles) {
    platform::json::Value value = platform::json::parse("{\"sy\":[" + styles + "]}");
    auto dictionary = LayerStyle::layerStylesFromDictionaries(*lottie::inlineValue<lottie::DictionaryArray>(value, "sy"));
    auto keyed = *LayerStyle::decodeLayerStyleFamily(platform::json::Decoder(value).container(), "sy");
    EXPECT_EQ(dictionary.size(), keyed.size());
    dictionary.insert(dictionary.end(), keyed.begin(), keyed.end());
    return dictionary;
}

TEST(DropShadowStyle, RadiusIsHalfTheSizeInEveryKeyframe) {
    std::string json = shadowStyle("s");
    json.insert(json.size() - 1, R"(,"s":{"k":[{"t":0,"s":[10],"e":[30]},{"t":20,"s":[30]}]})");
    for (const auto& style : bothFamilies(json)) {
        // The parameters' mapping is drawn by the engine's drop shadow tests.
        auto shadow = std::dynamic_pointer_cast<const DropShadowStyle>(style);
        ASSERT_TRUE(shadow);
        auto radius = shadow->radius();
        ASSERT_EQ(radius->keyframes().size(), 2u);
        EXPECT_EQ(radius->keyframes()[0].value().value, 5);
        EXPECT_EQ(radius->keyframes()[1].value().value, 15);
        EXPECT_EQ(radius->keyframes()[1].time(), 20);
        EXPECT_EQ(shadow->size()->keyframes()[0].value().value, 10);  // stored group unchanged
    }
}

TEST(DropShadowStyle, EveryParameterIsRequired) {
    const std::pair<const char*, unsigned> cases[] = {{"o", 21}, {"c", 23}, {"a", 25}, {"s", 27}, {"d", 29}};
    for (const auto& [key, line] : cases) {
        SCOPED_TRACE(key);
        std::string json = shadowStyle(key);
        modeltest::expectInvalidInput([&] { bothFamilies(json); }, "Lottie/DropShadowStyle", line);
        modeltest::expectDecodingError([&] { modeltest::fromContainer<DropShadowStyle>(json); }, Kind::keyNotFound);
    }
    // A parameter that isn't a dictionary fails like a missing one.
    std::string json = shadowStyle("d");
    json.insert(json.size() - 1, R"(,"d":4)");
    modeltest::expectInvalidInput([&] { modeltest::fromDictionary<DropShadowStyle>(json); }, "Lottie/DropShadowStyle", 29);
}

TEST(LayerStyleDecoding, OtherStylesAreKeptAndNamesDefaultPerDecoder) {
    auto styles = bothFamilies(R"({"ty":3},{"ty":2.0,"nm":"odd"})");
    ASSERT_EQ(styles.size(), 4u);
    for (const auto& style : styles) {
        const auto& decoded = *style;
        EXPECT_EQ(typeid(decoded), typeid(LayerStyle));
        EXPECT_EQ(style->type, LayerStyleType::unknown);
    }
    EXPECT_EQ(styles[0]->name, "Layer");
    EXPECT_EQ(styles[2]->name, "Style");
    EXPECT_EQ(modeltest::encoded(*styles[0]), R"({"nm":"Layer","ty":9999})");
}

TEST(LayerStyleDecoding, AStyleWithoutAnIntegerTypeFailsBothDecoders) {
    for (const char* style : {R"({"nm":"a"})", R"({"ty":"1"})", R"({"ty":null})"}) {
        SCOPED_TRACE(style);
        modeltest::expectInvalidInput([&] { bothFamilies(style); }, "Lottie/LayerStyle", 46);
        platform::json::Value value = platform::json::parse(std::string("{\"sy\":[") + style + "]}");
        EXPECT_THROW(LayerStyle::decodeLayerStyleFamily(platform::json::Decoder(value).container(), "sy"),
                     platform::json::DecodingError);
    }
    // A missing or non-array list is no list for the keyed family.
    platform::json::Value value = platform::json::parse(R"({"sy":{}})");
    EXPECT_FALSE(LayerStyle::decodeLayerStyleFamily(platform::json::Decoder(value).container(), "sy"));
    EXPECT_FALSE(LayerStyle::decodeLayerStyleFamily(platform::json::Decoder(value).container(), "ef"));
}

}  // namespace
