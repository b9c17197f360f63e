#include <gtest/gtest.h>

#include <string>

#include "Lottie/Model/Layers/Mask.h"
#include "Platform/Json/JsonParser.h"
#include "Platform/Json/JsonWriter.h"

using namespace lottie;

namespace {

const char* path = R"({"k":{"c":true,"v":[[0,0],[10,0],[10,10]],"i":[[0,0],[0,0],[0,0]],"o":[[0,0],[0,0],[0,0]]}})";

std::string maskWith(const std::string& members) {
    return std::string("{") + members + (members.empty() ? "" : ",") + "\"pt\":" + path + "}";
}

Mask byDictionary(const std::string& text) {
    platform::json::Value value = platform::json::parse(text);
    return Mask(value);
}

Mask byDecoder(const std::string& text) {
    platform::json::Value value = platform::json::parse(text);
    return Mask(platform::json::Decoder(value));
}

TEST(MaskModel, OnlyAPathGivesTheDefaultsInBothDecoders) {
    for (const Mask& mask : {byDictionary(maskWith("")), byDecoder(maskWith(""))}) {
        EXPECT_EQ(mask.mode, MaskMode::add);
        EXPECT_EQ(mask.opacity->keyframes().front().value().value, 100);
        EXPECT_EQ(mask.expansion->keyframes().front().value().value, 0);
        EXPECT_FALSE(mask.inverted);
        EXPECT_EQ(mask.shape->keyframes().size(), 1u);
    }
}

TEST(MaskModel, ModesAndFlagsDifferBetweenDecoders) {
    const std::pair<const char*, MaskMode> modes[] = {{"a", MaskMode::add},       {"s", MaskMode::subtract},
                                                      {"i", MaskMode::intersect}, {"l", MaskMode::lighten},
                                                      {"d", MaskMode::darken},    {"f", MaskMode::difference},
                                                      {"n", MaskMode::none}};
    for (const auto& [code, mode] : modes) {
        std::string text = maskWith(std::string("\"mode\":\"") + code + "\"");
        EXPECT_EQ(byDictionary(text).mode, mode);
        EXPECT_EQ(byDecoder(text).mode, mode);
    }
    EXPECT_EQ(byDictionary(maskWith(R"("mode":"q")")).mode, MaskMode::add);
    EXPECT_THROW(byDecoder(maskWith(R"("mode":"q")")), platform::json::DecodingError);
    // A number 0 or 1 is a boolean only for the dictionary decoder.
    EXPECT_TRUE(byDictionary(maskWith(R"("inv":1)")).inverted);
    EXPECT_FALSE(byDictionary(maskWith(R"("inv":2)")).inverted);
    EXPECT_THROW(byDecoder(maskWith(R"("inv":1)")), platform::json::DecodingError);
    EXPECT_TRUE(byDecoder(maskWith(R"("inv":true)")).inverted);
}

TEST(MaskModel, PathIsRequired) {
    try {
        byDictionary(R"({"mode":"a"})");
        FAIL();
    } catch (const InitializableError& error) {
        EXPECT_EQ(error.file(), "Lottie/Mask");
        EXPECT_EQ(error.line(), 51u);
    }
    EXPECT_THROW(byDecoder(R"({"mode":"a"})"), platform::json::DecodingError);
}

TEST(MaskModel, EncodesAllFiveKeysInOrder) {
    Mask mask = byDictionary(maskWith(R"("mode":"s","inv":true,"o":{"k":50})"));
    std::string text = platform::json::serialize(platform::json::encodeToValue(mask));
    EXPECT_EQ(text.rfind(R"({"mode":"s","o":{"k":50},"inv":true,"pt":)", 0), 0u) << text;
    Mask again = byDecoder(text);
    EXPECT_EQ(again.mode, MaskMode::subtract);
    EXPECT_TRUE(again.inverted);
    EXPECT_TRUE(*again.shape == *mask.shape);
}

}  // namespace
