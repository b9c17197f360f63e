#include <gtest/gtest.h>

#include <string>

#include "Lottie/Model/Layers/Mask.h"
#include "tests/Lottie/Model/Assets/ModelFragments.h"

using namespace lottie;
using modeltest::fromContainer;
using modeltest::fromDictionary;

namespace {

const char* path = R"({"k":{"c":true,"v":[[0,0],[10,0],[10,10]],"i":[[0,0],[0,0],[0,0]],"o":[[0,0],[0,0],[0,0]]}})";

std::string maskWith(const std::string& members) {
    return std::string("{") + members + (members.empty() ? "" : ",") + "\"pt\":" + path + "}";
}

// Only a path gives the defaults in both decoders; the encoding writes every key.
TEST(MaskModel, OnlyAPathGivesTheDefaultsInBothDecoders) {
    for (auto mask : {fromDictionary<Mask>(maskWith("")), fromContainer<Mask>(maskWith(""))}) {
        const std::string expected =
            std::string(R"({"mode":"a","o":{"k":100},"inv":false,"pt":)") + path + R"(,"x":{"k":0}})";
        EXPECT_EQ(modeltest::encoded(*mask), expected);
    }
}

TEST(MaskModel, ModesAndFlagsDifferBetweenDecoders) {
    // Every mode's code is read by both decoders in the every-feature document.
    EXPECT_EQ(fromDictionary<Mask>(maskWith(R"("mode":"q")"))->mode, MaskMode::add);
    EXPECT_THROW(fromContainer<Mask>(maskWith(R"("mode":"q")")), platform::json::DecodingError);
    // A number 0 or 1 is a boolean only for the dictionary decoder.
    EXPECT_TRUE(fromDictionary<Mask>(maskWith(R"("inv":1)"))->inverted);
    EXPECT_FALSE(fromDictionary<Mask>(maskWith(R"("inv":2)"))->inverted);
    EXPECT_THROW(fromContainer<Mask>(maskWith(R"("inv":1)")), platform::json::DecodingError);
    EXPECT_TRUE(fromContainer<Mask>(maskWith(R"("inv":true)"))->inverted);
}

TEST(MaskModel, PathIsRequired) {
    modeltest::expectInvalidInput([] { fromDictionary<Mask>(R"({"mode":"a"})"); }, "Lottie/Mask", 51);
    EXPECT_THROW(fromContainer<Mask>(R"({"mode":"a"})"), platform::json::DecodingError);
}

}  // namespace
