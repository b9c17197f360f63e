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
        EXPECT_EQ(text->justification, TextJustification::center);
        EXPECT_EQ(text->tracking, 0);
        EXPECT_EQ(text->lineHeight, 28.8);
        // Nothing optional is invented: the encoding is the input.
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
        {R"({"t":"a","s":"24","f":"R","j":2,"tr":0,"lh":1})", 28},
        {R"({"t":"a","s":24,"f":null,"j":2,"tr":0,"lh":1})", 29},
        {R"({"t":"a","s":24,"f":"R","tr":0,"lh":1})", 30},
        {R"({"t":"a","s":24,"f":"R","j":-1,"tr":0,"lh":1})", 32},
        {R"({"t":"a","s":24,"f":"R","j":2,"tr":12.5,"lh":1})", 35},
        {R"({"t":"a","s":24,"f":"R","j":2,"tr":0,"lh":"x"})", 36},
        {document(R"(,"ls":"up")"), 37},
        {R"([1,2])", 64},
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

TEST(TextDocumentInterpolation, SwitchesOnlyAtTheEndKeyframe) {
    auto from = *modeltest::fromDictionary<TextDocument>(document());
    auto to = *modeltest::fromDictionary<TextDocument>(R"({"t":"Bye","s":12,"f":"Roboto","j":0,"tr":5,"lh":14})");
    for (double amount : {0.0, 0.5, 0.999, 1.5}) EXPECT_EQ(lottie::interpolate(from, to, amount), from) << amount;
    EXPECT_EQ(lottie::interpolate(from, to, 1.0), to);
}

// Text keyframes of both decoders are read by the document round trip.
TEST(TextDocumentKeyframes, AKeyframeValueThatIsNoDictionaryIsRefused) {
    modeltest::expectInvalidInput(
        [] { lottie::KeyframeGroup<TextDocument>(platform::json::parse(R"({"k":[{"t":0,"s":5}]})")); },
        "Lottie/KeyframeGroup", 175);
}

}  // namespace
