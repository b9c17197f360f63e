#include <gtest/gtest.h>

#include <typeinfo>

#include "Lottie/Model/Effects/DropShadowEffect.h"
#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Model/Styles/DropShadowStyle.h"
#include "Lottie/Model/Text/TextLayerModel.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "tests/Lottie/Model/Assets/FullDocument.h"
#include "tests/Lottie/Model/Assets/ModelFragments.h"
#include "tests/Support/TestSupport.h"

using lottie::DecodingStrategy;
using lottie::LottieAnimation;

namespace {

constexpr DecodingStrategy strategies[] = {DecodingStrategy::dictionaryBased, DecodingStrategy::legacyCodable};

std::string encodedDocument(const LottieAnimation& animation) { return modeltest::encoded(animation); }

void expectFullDocumentModel(const LottieAnimation& animation) {
    ASSERT_TRUE(animation.glyphs);
    ASSERT_EQ(animation.glyphs->size(), 2u);
    EXPECT_EQ((*animation.glyphs)[0]->shapes.size(), 1u);
    EXPECT_TRUE((*animation.glyphs)[1]->shapes.empty());
    ASSERT_TRUE(animation.fonts);
    EXPECT_EQ(animation.fonts->fonts.at(0)->ascent, 75.5);
    ASSERT_TRUE(animation.assetLibrary);
    EXPECT_EQ(animation.assetLibrary->assets.size(), 3u);
    EXPECT_EQ(animation.assetLibrary->imageAssets.at("image_1")->embeddedData()->size(), 8u);
    const auto& comp = animation.assetLibrary->precompAssets.at("7");
    auto caption = std::dynamic_pointer_cast<const lottie::TextLayerModel>(comp->layers.at(0));
    ASSERT_TRUE(caption);
    ASSERT_EQ(caption->text->keyframes().size(), 2u);
    EXPECT_EQ(caption->text->keyframes()[1].value().text, "World");
    EXPECT_EQ(caption->text->keyframes()[1].time(), 30);
    const lottie::TextDocument& text = caption->text->keyframes().at(0).value();
    EXPECT_EQ(text.justification, lottie::TextJustification::justifyLastLineFull);
    EXPECT_EQ(text.tracking, -20);
    EXPECT_EQ(text.textFrameSize, lottie::LottieVector3D(200, 50, 0));
    EXPECT_EQ(text.strokeOverFill, true);
    ASSERT_EQ(caption->animators.size(), 1u);
    EXPECT_EQ(caption->animators[0]->textRangeUnit, lottie::TextRangeUnit::index);
    EXPECT_EQ(caption->animators[0]->rotationZ->keyframes()[0].value().value, 30);

    const auto& precomp = animation.layers.at(0);
    ASSERT_EQ(precomp->styles.size(), 2u);
    auto style = std::dynamic_pointer_cast<const lottie::DropShadowStyle>(precomp->styles[0]);
    ASSERT_TRUE(style);
    EXPECT_EQ(style->radius()->keyframes()[0].value().value, 5);
    ASSERT_EQ(precomp->effects.size(), 2u);
    auto shadow = std::dynamic_pointer_cast<const lottie::DropShadowEffect>(precomp->effects[0]);
    ASSERT_TRUE(shadow);
    EXPECT_DOUBLE_EQ(shadow->opacity()->keyframes()[0].value().value, 128.0 / 255 * 100);
    ASSERT_EQ(shadow->angle()->keyframes().size(), 2u);
    EXPECT_EQ(shadow->angle()->keyframes()[1].value().value, 135);
    EXPECT_EQ(shadow->angle()->keyframes()[1].inTangent(), lottie::LottieVector2D(0.7, 1));
    EXPECT_EQ(typeid(*precomp->effects[1]), typeid(lottie::LayerEffect));
    EXPECT_EQ(precomp->effects[1]->effects.size(), 2u);
}

TEST(DocumentRoundTrip, EveryKeyOfTheDocumentSurvivesBothDecoders) {
    for (DecodingStrategy strategy : strategies) {
        SCOPED_TRACE(static_cast<int>(strategy));
        auto animation = LottieAnimation::fromData(modeltest::fullDocument, strategy);
        expectFullDocumentModel(*animation);
        std::string text = encodedDocument(*animation);
        auto again = LottieAnimation::fromData(text, strategy);
        expectFullDocumentModel(*again);
        EXPECT_EQ(encodedDocument(*again), text);
        // The other decoder reads what this one wrote to the same model.
        for (DecodingStrategy other : strategies) {
            EXPECT_EQ(encodedDocument(*LottieAnimation::fromData(text, other)), text);
        }
    }
}

TEST(DocumentRoundTrip, OptionalMembersOfTheWrongShape) {
    struct Case {
        const char* member;
        bool keyedFails;
    };
    const Case cases[] = {
        {R"("chars": {})", true}, {R"("chars": [1])", true}, {R"("fonts": [])", true},
        {R"("assets": {})", true}, {R"("assets": [1])", false}, {R"("chars": null, "fonts": null, "assets": null)", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.member);
        std::string json = std::string(R"({"v":"5","ip":0,"op":1,"fr":1,"w":1,"h":1,"layers":[],)") + c.member + "}";
        auto animation = LottieAnimation::fromData(json, DecodingStrategy::dictionaryBased);
        EXPECT_FALSE(animation->glyphs);
        EXPECT_FALSE(animation->fonts);
        EXPECT_FALSE(animation->assetLibrary);
        std::string text = encodedDocument(*animation);
        EXPECT_EQ(text.find("chars"), std::string::npos);
        EXPECT_EQ(text.find("fonts"), std::string::npos);
        EXPECT_EQ(text.find("assets"), std::string::npos);
        if (c.keyedFails) {
            EXPECT_THROW(LottieAnimation::fromData(json, DecodingStrategy::legacyCodable), platform::json::DecodingError);
        } else {
            EXPECT_NO_THROW(LottieAnimation::fromData(json, DecodingStrategy::legacyCodable));
        }
    }
    // An empty list is a present, empty library.
    for (DecodingStrategy strategy : strategies) {
        auto animation = LottieAnimation::fromData(R"({"v":"5","ip":0,"op":1,"fr":1,"w":1,"h":1,"layers":[],"assets":[]})",
                                                   strategy);
        ASSERT_TRUE(animation->assetLibrary);
        EXPECT_TRUE(animation->assetLibrary->assets.empty());
        EXPECT_NE(encodedDocument(*animation).find(R"("assets":[])"), std::string::npos);
    }
}

TEST(DocumentRoundTrip, ErrorsInsideMembersFailTheDocument) {
    struct Case {
        const char* member;
        const char* file;
        unsigned line;
    };
    const Case cases[] = {
        {R"("fonts": {})", "Lottie/Font", 47},
        {R"("fonts": {"list": [{"fName": "a", "fFamily": "b", "fStyle": "c", "ascent": "x"}]})", "Lottie/Font", 18},
        {R"("chars": [{"ch": "a"}])", "Lottie/Glyph", 33},
        {R"("assets": [{"id": "p", "layers": {}}])", "Lottie/PrecompAsset", 21},
        {R"("assets": [{"layers": []}])", "Lottie/Asset", 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.member);
        std::string json = std::string(R"({"v":"5","ip":0,"op":1,"fr":1,"w":1,"h":1,"layers":[],)") + c.member + "}";
        modeltest::expectInvalidInput([&] { LottieAnimation::fromData(json, DecodingStrategy::dictionaryBased); }, c.file,
                                      c.line);
    }
    // A broken image asset is skipped, and the rest of the document loads.
    auto animation = LottieAnimation::fromData(
        R"({"v":"5","ip":0,"op":1,"fr":1,"w":1,"h":1,"layers":[],"assets":[{"id":"a","p":"a.png","w":1,"h":1}]})",
        DecodingStrategy::dictionaryBased);
    EXPECT_TRUE(animation->assetLibrary->assets.empty());
}

TEST(DocumentRoundTrip, EveryCorpusDocumentThatDecodesRoundTrips) {
    auto files = testsupport::corpusFiles(".json");
    if (files.empty()) GTEST_SKIP() << "no corpus beside the clone";
    std::size_t decoded = 0;
    std::size_t refused = 0;
    for (const auto& path : files) {
        if (path.string().find("lottie-schema") != std::string::npos) continue;
        SCOPED_TRACE(path.string());
        std::string bytes = testsupport::readFile(path);
        for (DecodingStrategy strategy : strategies) {
            std::shared_ptr<const LottieAnimation> animation;
            try {
                animation = LottieAnimation::fromData(bytes, strategy);
            } catch (const lottie::InitializableError&) {
                ++refused;
                continue;
            } catch (const platform::json::DecodingError&) {
                ++refused;
                continue;
            }
            ++decoded;
            std::string text = encodedDocument(*animation);
            auto again = LottieAnimation::fromData(text, strategy);
            EXPECT_EQ(encodedDocument(*again), text);
            EXPECT_EQ(again->layers.size(), animation->layers.size());
            EXPECT_EQ(again->assetLibrary != nullptr, animation->assetLibrary != nullptr);
        }
    }
    // Every animation decodes by both strategies; only the dotLottie theme, no animation, is refused.
    EXPECT_GT(decoded, 140u);
    EXPECT_LE(refused, 2u);
}

}  // namespace
