#include <gtest/gtest.h>

#include "Lottie/Model/DashElement.h"
#include "tests/Lottie/Model/Assets/ModelFragments.h"

using lottie::DashElement;
using lottie::DashElementType;
using modeltest::fromContainer;
using modeltest::fromDictionary;
using Kind = platform::json::DecodingError::Kind;

namespace {

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
        {R"({"v":{"k":1}})", 23, Kind::keyNotFound},
        {R"({"n":"g"})", 28, Kind::keyNotFound},
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
