#include <gtest/gtest.h>

#include "Lottie/Model/Text/TextLayerModel.h"
#include "tests/Lottie/Model/Assets/ModelFragments.h"

using lottie::LayerModel;
using lottie::TextLayerModel;

namespace {

const std::string base = R"("ty":5,"nm":"Title","ind":3,"ip":0,"op":60,"st":0)";

std::string layer(const std::string& textGroup) { return "{" + base + (textGroup.empty() ? "" : "," + textGroup) + "}"; }

// A layer through the family decoders, as documents and precompositions read them.
std::vector<std::shared_ptr<const LayerModel>> bothFamilies(const std::string& json) {
    platform::json::Value value = platform::json::parse("{\"layers\":[" + json + "]}");
    auto dictionary = LayerModel::layersFromDictionaries(*lottie::inlineValue<lottie::DictionaryArray>(value, "layers"));
    auto keyed = LayerModel::decodeLayerFamily(platform::json::Decoder(value).container(), "layers");
    dictionary.insert(dictionary.end(), keyed.begin(), keyed.end());
    return dictionary;
}

TEST(TextLayerModel, OwnKeysAreRequiredAndReportedBeforeTheBaseKeys) {
    struct Case {
        std::string textGroup;
        unsigned line;
    };
    const Case cases[] = {
        {"", 24},
        {R"("t":{"a":[]})", 25},
        {R"("t":{"d":{"k":[]}})", 27},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.textGroup);
        // Without "ip" the base would fail too: the layer's own key must be reported.
        std::string json = "{\"ty\":5" + (c.textGroup.empty() ? "" : "," + c.textGroup) + "}";
        modeltest::expectInvalidInput([&] { bothFamilies(json); }, "Lottie/TextLayerModel", c.line);
        EXPECT_THROW(modeltest::fromContainer<TextLayerModel>(json), platform::json::DecodingError);
    }
    // A keyframe whose text document can't be read has no value, which fails the layer.
    for (const char* group : {R"({"k":[{"t":0,"s":{"t":"a"}}]})", R"({"k":{"t":"a"}})"}) {
        SCOPED_TRACE(group);
        std::string json = layer(std::string(R"("t":{"d":)") + group + R"(,"a":[]})");
        modeltest::expectInvalidInput([&] { bothFamilies(json); }, "Lottie/KeyframeGroup", 175);
        EXPECT_THROW(modeltest::fromContainer<TextLayerModel>(json), platform::json::DecodingError);
    }
}

TEST(LayerStylesAndEffects, AreNeverAbsentAndDecodeThroughTheirFamilies) {
    struct Case {
        const char* members;
        std::size_t styles;
        std::size_t effects;
    };
    const Case cases[] = {
        {"", 0, 0},
        {R"(,"sy":{},"ef":5)", 0, 0},
        {R"(,"sy":[{"ty":3}],"ef":[{"ty":5,"nm":"Fill"},{"ty":25,"ef":[]}])", 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.members);
        std::string json = std::string(R"({"ty":3,"ip":0,"op":1,"st":0)") + c.members + "}";
        for (const auto& decoded : bothFamilies(json)) {
            EXPECT_EQ(decoded->styles.size(), c.styles);
            EXPECT_EQ(decoded->effects.size(), c.effects);
        }
    }
    // Errors inside the lists fail the layer.
    modeltest::expectInvalidInput([] { bothFamilies(R"({"ty":3,"ip":0,"op":1,"st":0,"sy":[{"nm":"x"}]})"); },
                                  "Lottie/LayerStyle", 46);
    modeltest::expectInvalidInput([] { bothFamilies(R"({"ty":3,"ip":0,"op":1,"st":0,"ef":[{"nm":"x"}]})"); },
                                  "Lottie/LayerEffect", 48);
}

}  // namespace
