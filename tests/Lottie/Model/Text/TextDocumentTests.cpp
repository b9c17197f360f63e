#include <gtest/gtest.h>

#include "Lottie/Model/Text/TextDocument.h"
#include "Lottie/Values/KeyframeGroup.h"
#include "tests/Lottie/Model/Assets/ModelFragments.h"

using lottie::TextDocument;
using lottie::TextJustification;
using Kind = platform::json::DecodingError::Kind;

namespace {

const std::string minimal = R"({"t":"Hello","s":24,"f":"Roboto","j":2,"tr":0,"lh":28.8)";

std::string document(const std::string& extra = "") { return minimal + extra + "}"; }

TEST(TextDocumentDecoding, TheRequiredKeysAloneGiveCentredPlainText) {
    for (auto text : {modeltest::fromDictionary<TextDocument>(document()), modeltest::fromContainer<TextDocument>(document())}) {
        EXPECT_EQ(text->text, "Hello");
        EXPECT_EQ(text->fontSize, 24);
        EXPECT_EQ(text->fontFamily, "Roboto");
        EXPECT_EQ(text->justification, TextJustification::center);
        EXPECT_EQ(text->tracking, 0);
        EXPECT_EQ(text->lineHeight, 28.8);
        EXPECT_FALSE(text->baseline);
        EXPECT_FALSE(text->fillColorData);
        EXPECT_FALSE(text->strokeColorData);
        EXPECT_FALSE(text->strokeWidth);
        EXPECT_FALSE(text->strokeOverFill);
        EXPECT_FALSE(text->textFramePosition);
        EXPECT_FALSE(text->textFrameSize);
        EXPECT_EQ(modeltest::encoded(*text), document());
    }
}

TEST(TextDocumentDecoding, DictionaryDecoderReportsTheFirstBadKey) {
    struct Case {
        std::string json;
        unsigned line;
    };
    const Case cases[] = {
        {R"({"s":24,"f":"R","j":2,"tr":0,"lh":1})", 27},
        {R"({"t":5,"s":24,"f":"R","j":2,"tr":0,"lh":1})", 27},
        {R"({"t":"a","s":"24","f":"R","j":2,"tr":0,"lh":1})", 28},
        {R"({"t":"a","s":24,"f":null,"j":2,"tr":0,"lh":1})", 29},
        {R"({"t":"a","s":24,"f":"R","tr":0,"lh":1})", 30},
        {R"({"t":"a","s":24,"f":"R","j":1.5,"tr":0,"lh":1})", 30},
        {R"({"t":"a","s":24,"f":"R","j":7,"tr":0,"lh":1})", 32},
        {R"({"t":"a","s":24,"f":"R","j":-1,"tr":0,"lh":1})", 32},
        {R"({"t":"a","s":24,"f":"R","j":2,"tr":12.5,"lh":1})", 35},
        {R"({"t":"a","s":24,"f":"R","j":2,"tr":0,"lh":"x"})", 36},
        {document(R"(,"ls":"up")"), 37},
        {R"([1,2])", 64},
        {R"("text")", 64},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        modeltest::expectInvalidInput([&] { TextDocument::fromAny(platform::json::parse(c.json)); },
                                      "Lottie/TextDocument", c.line);
    }
    modeltest::expectDecodingError([] { modeltest::fromContainer<TextDocument>(R"({"t":"a","s":24,"f":"R","j":7,"tr":0,"lh":1})"); },
                                   Kind::dataCorrupted);
    modeltest::expectDecodingError([] { modeltest::fromContainer<TextDocument>(R"({"t":"a","s":24,"f":"R","j":2,"tr":12.5,"lh":1})"); },
                                   Kind::dataCorrupted);
}

TEST(TextDocumentDecoding, OptionalValuesThatCantBeReadAreDroppedOrFail) {
    struct Case {
        const char* extra;
        bool dictionaryKeepsValue;
        bool keyedFails;
    };
    const Case cases[] = {
        {R"(,"fc":"red")", false, true},        {R"(,"sc":{"r":1})", false, true},
        {R"(,"sw":"thick")", false, true},      {R"(,"of":2)", false, true},
        {R"(,"ps":5)", false, true},            {R"(,"sz":"big")", false, true},
        {R"(,"ls":null,"sw":null)", false, false},
        {R"(,"sw":2,"of":true,"ls":-3)", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extra);
        auto text = modeltest::fromDictionary<TextDocument>(document(c.extra));
        bool anyPresent = text->fillColorData || text->strokeColorData || text->strokeWidth || text->strokeOverFill ||
                          text->textFramePosition || text->textFrameSize || text->baseline;
        EXPECT_EQ(anyPresent, c.dictionaryKeepsValue);
        if (c.keyedFails) {
            EXPECT_THROW(modeltest::fromContainer<TextDocument>(document(c.extra)), platform::json::DecodingError);
        } else {
            EXPECT_EQ(*modeltest::fromContainer<TextDocument>(document(c.extra)), *text);
        }
    }
    EXPECT_EQ(modeltest::fromDictionary<TextDocument>(document(R"(,"j":2.0)"))->justification, TextJustification::center);
}

TEST(TextDocumentDecoding, ColoursFollowTheColourRule) {
    auto text = modeltest::fromDictionary<TextDocument>(document(R"(,"fc":[255,128,2],"sc":[255,0,0],"ps":[1,2],"sz":[3,4,5])"));
    ASSERT_TRUE(text->fillColorData);
    EXPECT_DOUBLE_EQ(text->fillColorData->r, 1);
    EXPECT_DOUBLE_EQ(text->fillColorData->g, 128.0 / 255);
    EXPECT_DOUBLE_EQ(text->fillColorData->b, 2.0 / 255);
    EXPECT_EQ(text->fillColorData->a, 1);
    EXPECT_EQ(*text->strokeColorData, lottie::LottieColor(255, 0, 0, 1));  // not every component above 1
    EXPECT_EQ(*text->textFramePosition, lottie::LottieVector3D(1, 2, 0));
    EXPECT_EQ(*text->textFrameSize, lottie::LottieVector3D(3, 4, 5));
    std::string text2 = modeltest::encoded(*text);
    EXPECT_EQ(*modeltest::fromDictionary<TextDocument>(text2), *text);
    EXPECT_EQ(*modeltest::fromContainer<TextDocument>(text2), *text);
}

TEST(TextDocumentInterpolation, SwitchesOnlyAtTheEndKeyframe) {
    auto from = *modeltest::fromDictionary<TextDocument>(document());
    auto to = *modeltest::fromDictionary<TextDocument>(R"({"t":"Bye","s":12,"f":"Roboto","j":0,"tr":5,"lh":14})");
    for (double amount : {0.0, 0.5, 0.999, 1.5}) EXPECT_EQ(lottie::interpolate(from, to, amount), from) << amount;
    EXPECT_EQ(lottie::interpolate(from, to, 1.0), to);
}

TEST(TextDocumentKeyframes, TextGroupsDecodeByBothDecoders) {
    std::string json = R"({"k":[{"t":0,"s":)" + document() + R"(},{"t":30,"s":{"t":"Bye","s":12,"f":"R","j":1,"tr":5,"lh":14}}]})";
    platform::json::Value value = platform::json::parse(json);
    lottie::KeyframeGroup<TextDocument> dictionary(value);
    auto keyed = lottie::KeyframeGroup<TextDocument>::decode(platform::json::Decoder(value));
    ASSERT_EQ(dictionary.keyframes().size(), 2u);
    EXPECT_EQ(dictionary.keyframes()[1].value().text, "Bye");
    EXPECT_EQ(dictionary.keyframes()[1].time(), 30);
    EXPECT_TRUE(dictionary == keyed);
    // A keyframe value that isn't a dictionary is refused.
    modeltest::expectInvalidInput(
        [] { lottie::KeyframeGroup<TextDocument>(platform::json::parse(R"({"k":[{"t":0,"s":5}]})")); },
        "Lottie/KeyframeGroup", 175);
}

}  // namespace
