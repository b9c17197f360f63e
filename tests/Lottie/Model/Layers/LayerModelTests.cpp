#include <gtest/gtest.h>

#include <string>

#include "Lottie/Model/Layers/LayerModel.h"
#include "tests/Lottie/Model/Assets/ModelFragments.h"

using namespace lottie;

namespace {

// Decodes a "layers" array by both decoders.
std::vector<std::shared_ptr<const LayerModel>> byDictionary(const std::string& layers) {
    platform::json::Value value = platform::json::parse(layers);
    return LayerModel::layersFromDictionaries(*DictionaryValue<DictionaryArray>::convert(value));
}

std::vector<std::shared_ptr<const LayerModel>> byDecoder(const std::string& layers) {
    platform::json::Value value = platform::json::parse("{\"layers\":" + layers + "}");
    return LayerModel::decodeLayerFamily(platform::json::Decoder(value).container(), "layers");
}

std::string layer(const std::string& extra) {
    return R"({"ip":0,"op":10,"st":0,"nm":"L")" + (extra.empty() ? "" : "," + extra) + "}";
}

TEST(LayerModelFamily, SubclassKeysFailBeforeBaseKeys) {
    struct Case {
        std::string layer;
        const char* file;
        unsigned line;
    };
    const Case cases[] = {
        {R"({"ty":4})", "Lottie/ShapeLayerModel", 22},
        {R"({"ty":0,"refId":"c","w":1})", "Lottie/PreCompLayerModel", 32},
        {R"({"ty":0,"refId":"c"})", "Lottie/PreCompLayerModel", 31},
        {layer(R"("ty":2,"refId":7)"), "Lottie/ImageLayerModel", 22},
        {layer(R"("ty":1,"sc":"#fff","sw":1)"), "Lottie/SolidLayerModel", 26},
        {R"({"ip":0,"op":1,"st":0})", "Lottie/LayerModel", 110},
        {layer(R"("ty":3,"ind":"one")"), "Lottie/LayerModel", 109},
        {layer(R"("ty":3,"ks":[])"), "Lottie/LayerModel", 124},
        {R"({"ty":3,"ip":0,"st":0})", "Lottie/LayerModel", 120},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layer);
        modeltest::expectInvalidInput([&] { byDictionary("[" + c.layer + "]"); }, c.file, c.line);
    }
    EXPECT_THROW(byDecoder(R"([{"ip":0,"op":1,"st":0}])"), platform::json::DecodingError);
}

TEST(LayerModelFields, DefaultsAndToleranceDifferByDecoder) {
    auto lenient = byDictionary("[" + layer(R"("ty":3,"nm":5,"sr":"x","hd":"y","tt":4,"bm":99,"ks":{"o":"bad"})") + "]");
    ASSERT_EQ(lenient.size(), 1u);
    EXPECT_EQ(lenient[0]->name, "Layer");
    EXPECT_EQ(lenient[0]->timeStretch, 1);
    EXPECT_FALSE(lenient[0]->hidden);
    EXPECT_FALSE(lenient[0]->matte);
    EXPECT_EQ(lenient[0]->blendMode, BlendMode::normal);
    EXPECT_EQ(lenient[0]->transform->opacity()->keyframes().front().value().value, 100);
    for (const char* strict : {R"("ty":3,"nm":5)", R"("ty":3,"sr":"x")", R"("ty":3,"hd":1)", R"("ty":3,"tt":4)",
                               R"("ty":3,"bm":99)", R"("ty":3,"ks":{"o":"bad"})"}) {
        EXPECT_THROW(byDecoder("[" + layer(strict) + "]"), platform::json::DecodingError) << strict;
    }
    // A transform that fails to decode leaves the default transform (the layer survives).
    auto survived = byDictionary("[" + layer(R"("ty":3,"ks":{"p":{"k":"bad"}})") + "]");
    ASSERT_EQ(survived.size(), 1u);
    EXPECT_EQ(survived[0]->transform->position()->keyframes().front().value(), LottieVector3D(0, 0, 0));
    // "tt": -1 is no matte; an empty mask array stays present.
    auto masked = byDictionary("[" + layer(R"("ty":3,"tt":-1,"masksProperties":[])") + "]");
    EXPECT_FALSE(masked[0]->matte);
    ASSERT_TRUE(masked[0]->masks);
    EXPECT_TRUE(masked[0]->masks->empty());
    EXPECT_FALSE(byDictionary("[" + layer(R"("ty":3)") + "]")[0]->masks);
}

TEST(LayerModelFields, LayersWithoutIndexGetDistinctRandomIndices) {
    auto layers = byDictionary("[" + layer(R"("ty":3)") + "," + layer(R"("ty":3)") + "]");
    // Two draws from the whole 64-bit range coincide with probability 2^-64.
    EXPECT_NE(layers[0]->index, layers[1]->index);
    EXPECT_EQ(byDictionary("[" + layer(R"("ty":3,"ind":7)") + "]")[0]->index, 7);
}

}  // namespace
