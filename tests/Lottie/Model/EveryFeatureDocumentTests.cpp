#include <gtest/gtest.h>

#include <string>

#include "Lottie/Model/Layers/ImageLayerModel.h"
#include "Lottie/Model/Layers/PreCompLayerModel.h"
#include "Lottie/Model/Layers/ShapeLayerModel.h"
#include "Lottie/Model/Layers/SolidLayerModel.h"
#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Model/ShapeItems/Group.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "Platform/Json/Encoding.h"
#include "Platform/Json/JsonWriter.h"
#include "tests/Support/TestSupport.h"

using namespace lottie;

namespace {

// A hand-written document with every layer type, every shape item type, masks
// of every mode, parenting, track mattes, markers and a reduced-motion marker.
std::string everyFeature() {
    return testsupport::readFile(testsupport::sourceDirectory() / "tests/Lottie/Model/Documents/every-feature.json");
}

std::string encoded(const LottieAnimation& animation) {
    return platform::json::serialize(platform::json::encodeToValue(animation));
}

TEST(EveryFeatureDocument, DecodesByBothDecodersToTheSameModel) {
    auto dictionary = LottieAnimation::fromData(everyFeature(), DecodingStrategy::dictionaryBased);
    auto keyed = LottieAnimation::fromData(everyFeature(), DecodingStrategy::legacyCodable);
    // The model's canonical form is its encoding: both decoders must agree on
    // it, and read what they wrote to the same model again.
    const std::string text = encoded(*dictionary);
    EXPECT_EQ(encoded(*keyed), text);
    for (auto strategy : {DecodingStrategy::dictionaryBased, DecodingStrategy::legacyCodable}) {
        EXPECT_EQ(encoded(*LottieAnimation::fromData(text, strategy)), text);
    }

    ASSERT_EQ(dictionary->layers.size(), 7u);
    EXPECT_EQ(dictionary->layers[0]->type, LayerType::null);
    EXPECT_EQ(dictionary->layers[1]->parent, 1);
    EXPECT_EQ(dictionary->layers[1]->masks->size(), 7u);
    EXPECT_EQ(dictionary->layers[1]->masks->at(1)->mode, MaskMode::subtract);
    EXPECT_TRUE(dictionary->layers[1]->masks->at(1)->inverted);
    EXPECT_TRUE(dynamic_cast<const SolidLayerModel*>(dictionary->layers[2].get()));
    const auto& precomp = dynamic_cast<const PreCompLayerModel&>(*dictionary->layers[3]);
    EXPECT_EQ(precomp.matte, MatteType::add);
    EXPECT_EQ(precomp.timeStretch, 2);
    EXPECT_EQ(precomp.timeRemapping->keyframes().size(), 3u);
    EXPECT_EQ(dynamic_cast<const ImageLayerModel&>(*dictionary->layers[4]).matte, MatteType::invert);
    EXPECT_EQ(dictionary->layers[5]->type, LayerType::text);
    EXPECT_TRUE(dictionary->layers[6]->hidden);
    EXPECT_FALSE(dictionary->layers[6]->transform->position());
    EXPECT_EQ(dictionary->markerForReducedMotion()->frameTime, 30);

    const auto& shapes = dynamic_cast<const ShapeLayerModel&>(*dictionary->layers[1]);
    ASSERT_EQ(shapes.items.size(), 1u);
    const auto& group = dynamic_cast<const Group&>(*shapes.items[0]);
    std::vector<std::string> types;
    for (const auto& item : group.items()) types.push_back(std::string(rawValue(item->type())));
    EXPECT_EQ(types, (std::vector<std::string>{"rc", "el", "sr", "sr", "sh", "mm", "tm", "rd", "fl", "st", "gf", "gs",
                                               "rp", "tr"}));
}

}  // namespace
