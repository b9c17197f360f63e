#include <gtest/gtest.h>

#include "Lottie/Model/Text/TextAnimator.h"
#include "tests/Lottie/Model/Assets/ModelFragments.h"

using lottie::TextAnimator;
using lottie::TextRangeUnit;

namespace {

const char* everyProperty = R"({"nm":"Wave","a":{
    "fc":{"k":[1,0,0]},"sc":{"k":[0,1,0]},"sw":{"k":2},"t":{"k":10},"a":{"k":[1,2,0]},"p":{"k":[0,-20,0]},
    "s":{"k":[120,120,100]},"sk":{"k":5},"sa":{"k":45},"rx":{"k":10},"ry":{"k":20},"rz":{"k":30},"o":{"k":50}},
  "s":{"s":{"k":0},"e":{"k":100},"o":{"k":0},"r":1}})";

using modeltest::staticValue;

// Both decoders read every property into its own field, and read it again
// from what either wrote: the encoding names each field by its key.
TEST(TextAnimatorEncoding, WritesWhatBothDecodersReadBack) {
    const std::string expected =
        R"({"nm":"Wave","a":{"fc":{"k":[1,0,0,1]},"sc":{"k":[0,1,0,1]},"sw":{"k":2},"t":{"k":10},)"
        R"("a":{"k":[1,2,0]},"p":{"k":[0,-20,0]},"s":{"k":[120,120,100]},"sk":{"k":5},"sa":{"k":45},)"
        R"("rx":{"k":10},"ry":{"k":20},"rz":{"k":30},"o":{"k":50}},"s":{"s":{"k":0},"e":{"k":100},"r":1}})";
    for (auto animator : {modeltest::fromDictionary<TextAnimator>(everyProperty),
                          modeltest::fromContainer<TextAnimator>(everyProperty)}) {
        EXPECT_EQ(modeltest::encoded(*animator), expected);
        EXPECT_EQ(modeltest::encoded(*modeltest::fromDictionary<TextAnimator>(expected)), expected);
        EXPECT_EQ(modeltest::encoded(*modeltest::fromContainer<TextAnimator>(expected)), expected);
    }
    // An animator without a selector still writes one, so the dictionary decoder accepts it.
    auto bare = modeltest::fromContainer<TextAnimator>(R"({"a":{}})");
    std::string text = modeltest::encoded(*bare);
    EXPECT_EQ(text, R"({"nm":"","a":{},"s":{}})");
    EXPECT_FALSE(modeltest::fromDictionary<TextAnimator>(text)->textRangeUnit);
}

TEST(TextAnimatorDecoding, RotationComesFromRElseRz) {
    struct Case {
        const char* properties;
        double dictionary;  // -1: absent
        double keyed;       // -1: absent; -2: the keyed decoder fails
    };
    const Case cases[] = {
        {R"("r":{"k":1},"rz":{"k":2})", 1, 1},
        {R"("rz":{"k":2})", 2, 2},
        {R"("r":7,"rz":{"k":2})", 2, -2},
        {R"("r":{"k":"x"},"rz":{"k":2})", -1, -2},  // a dictionary "r" wins even when it fails
        {R"("r":null,"rz":{"k":2})", 2, 2},
        {"", -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.properties);
        std::string json = std::string(R"({"a":{)") + c.properties + R"(},"s":{}})";
        auto dictionary = modeltest::fromDictionary<TextAnimator>(json);
        if (c.dictionary < 0) { EXPECT_FALSE(dictionary->rotationZ); }
        else { EXPECT_EQ(staticValue(dictionary->rotationZ), c.dictionary); }
        if (c.keyed == -2) {
            EXPECT_THROW(modeltest::fromContainer<TextAnimator>(json), platform::json::DecodingError);
            continue;
        }
        auto keyed = modeltest::fromContainer<TextAnimator>(json);
        if (c.keyed < 0) { EXPECT_FALSE(keyed->rotationZ); }
        else { EXPECT_EQ(staticValue(keyed->rotationZ), c.keyed); }
    }
}

TEST(TextAnimatorDecoding, SelectorAndPropertiesObjects) {
    modeltest::expectInvalidInput([] { modeltest::fromDictionary<TextAnimator>(R"({"a":{"o":{"k":5}}})"); },
                                  "Lottie/TextAnimator", 127);
    modeltest::expectInvalidInput([] { modeltest::fromDictionary<TextAnimator>(R"({"a":{},"s":[]})"); },
                                  "Lottie/TextAnimator", 127);
    auto noSelector = modeltest::fromContainer<TextAnimator>(R"({"a":{"o":{"k":5}},"s":3})");
    EXPECT_FALSE(noSelector->start);
    EXPECT_FALSE(noSelector->textRangeUnit);
    EXPECT_EQ(noSelector->name, "");
    for (const char* json : {R"({"s":{}})", R"({"a":[],"s":{}})"}) {
        modeltest::expectInvalidInput([&] { modeltest::fromDictionary<TextAnimator>(json); }, "Lottie/TextAnimator", 55);
        EXPECT_THROW(modeltest::fromContainer<TextAnimator>(json), platform::json::DecodingError);
    }
}

TEST(TextAnimatorDecoding, MalformedPropertiesAreDroppedExceptOpacityStartAndEnd) {
    auto dropped = modeltest::fromDictionary<TextAnimator>(R"({"nm":4,"a":{"fc":{"k":"red"},"p":{},"sk":3},"s":{}})");
    EXPECT_FALSE(dropped->fillColor);
    EXPECT_FALSE(dropped->position);
    EXPECT_FALSE(dropped->skew);
    EXPECT_EQ(dropped->name, "");
    EXPECT_THROW(modeltest::fromContainer<TextAnimator>(R"({"a":{"fc":{"k":"red"}},"s":{}})"),
                 platform::json::DecodingError);
    for (const char* json : {R"({"a":{"o":{}},"s":{}})", R"({"a":{},"s":{"s":{"x":1}}})", R"({"a":{},"s":{"e":{"k":[{"t":0}]}}})"}) {
        SCOPED_TRACE(json);
        EXPECT_THROW(modeltest::fromDictionary<TextAnimator>(json), lottie::InitializableError);
    }
    // The keyed decoder drops a bad selector field instead.
    auto keyed = modeltest::fromContainer<TextAnimator>(R"({"a":{},"s":{"s":{"x":1},"e":{"k":3},"r":2}})");
    EXPECT_FALSE(keyed->start);
    EXPECT_EQ(staticValue(keyed->end), 3);
    EXPECT_EQ(keyed->textRangeUnit, TextRangeUnit::index);
}

TEST(TextAnimatorDecoding, RangeUnitCodes) {
    const std::pair<const char*, std::optional<TextRangeUnit>> cases[] = {
        {"1", TextRangeUnit::percentage}, {"2", TextRangeUnit::index}, {"0", std::nullopt},
        {"3", std::nullopt},              {"\"1\"", std::nullopt},     {"2.0", TextRangeUnit::index},
    };
    for (const auto& [code, unit] : cases) {
        SCOPED_TRACE(code);
        std::string json = std::string(R"({"a":{},"s":{"r":)") + code + "}}";
        EXPECT_EQ(modeltest::fromDictionary<TextAnimator>(json)->textRangeUnit, unit);
        EXPECT_EQ(modeltest::fromContainer<TextAnimator>(json)->textRangeUnit, unit);
    }
}

}  // namespace
