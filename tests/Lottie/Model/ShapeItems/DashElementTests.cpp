#include <gtest/gtest.h>

#include "Lottie/Model/DashElement.h"
#include "tests/Lottie/Model/Assets/ModelFragments.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemTestSupport.h"

using lottie::DashElement;
using lottie::DashElementType;
using modeltest::fromContainer;
using modeltest::fromDictionary;
using Kind = platform::json::DecodingError::Kind;

namespace {

TEST(DashElements, KindsAndValuesInBothDecoders) {
    struct Case {
        const char* text;
        DashElementType type;
        double value;
    };
    for (const Case& testCase : {Case{R"({"n":"d","v":{"k":4}})", DashElementType::dash, 4},
                                 Case{R"({"n":"g","nm":"gap","v":{"k":[2.5]}})", DashElementType::gap, 2.5},
                                 Case{R"({"n":"o","v":{"k":2}})", DashElementType::offset, 2}}) {
        SCOPED_TRACE(testCase.text);
        const std::string text = testCase.text;
        for (auto element : {fromDictionary<DashElement>(text), fromContainer<DashElement>(text)}) {
            EXPECT_EQ(element->type(), testCase.type);
            EXPECT_EQ(shapetests::staticValue(element->value()), testCase.value);
            // Encodes back to the same "n" and "v" only.
            platform::json::Value encoded = platform::json::encodeToValue(*element);
            EXPECT_EQ(shapetests::keysOf(encoded), (std::vector<std::string>{"n", "v"}));
            EXPECT_TRUE(*fromDictionary<DashElement>(platform::json::serialize(encoded)) == *element);
            EXPECT_TRUE(*fromContainer<DashElement>(platform::json::serialize(encoded)) == *element);
        }
    }
}

TEST(DashElements, FailuresOfBothDecoders) {
    struct Case {
        const char* text;
        unsigned line;
        Kind keyedKind;
        const char* file = "Lottie/DashPattern";
    };
    const Case cases[] = {
        {R"({"n":"x","v":{"k":1}})", 25, Kind::dataCorrupted},
        {R"({"n":"D","v":{"k":1}})", 25, Kind::dataCorrupted},
        {R"({"n":1,"v":{"k":1}})", 23, Kind::typeMismatch},
        {R"({"v":{"k":1}})", 23, Kind::keyNotFound},
        {R"({"n":"g"})", 28, Kind::keyNotFound},
        {R"({"n":"g","v":3})", 28, Kind::typeMismatch},
        // The value's own error passes through.
        {R"({"n":"d","v":{"k":"long"}})", 166, Kind::typeMismatch, "Lottie/KeyframeGroup"},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.text);
        modeltest::expectInvalidInput([&] { fromDictionary<DashElement>(testCase.text); }, testCase.file,
                                      testCase.line);
        modeltest::expectDecodingError([&] { fromContainer<DashElement>(testCase.text); }, testCase.keyedKind);
    }
}

TEST(DashElements, PatternsCompareElementByElement) {
    using lottie::DashPattern;
    auto three = lottie::staticGroup(lottie::LottieVector1D(3));
    auto dash = std::make_shared<const DashElement>(DashElementType::dash, three);
    auto gap = std::make_shared<const DashElement>(DashElementType::gap, three);
    EXPECT_TRUE(lottie::samePattern(std::nullopt, std::nullopt));
    EXPECT_FALSE(lottie::samePattern(DashPattern{}, std::nullopt));
    EXPECT_TRUE(lottie::samePattern(DashPattern{dash, gap}, DashPattern{dash, gap}));
    EXPECT_FALSE(lottie::samePattern(DashPattern{dash, gap}, DashPattern{gap, dash}));
    EXPECT_FALSE(lottie::samePattern(DashPattern{dash}, DashPattern{dash, dash}));
}

}  // namespace
