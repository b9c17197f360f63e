#include <gtest/gtest.h>

#include "Lottie/Model/DashElement.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemTestSupport.h"

using lottie::DashElement;
using lottie::DashElementType;
using lottie::InitializableError;
using Kind = platform::json::DecodingError::Kind;

namespace {

DashElement byDictionary(const std::string& text) {
    platform::json::Value json = platform::json::parse(text);
    return DashElement(json);
}

DashElement byKeyed(const std::string& text) {
    platform::json::Value json = platform::json::parse(text);
    return DashElement(platform::json::Decoder(json));
}

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
        for (const DashElement& element : {byDictionary(testCase.text), byKeyed(testCase.text)}) {
            EXPECT_EQ(element.type(), testCase.type);
            EXPECT_EQ(shapetests::staticValue(element.value()), testCase.value);
            // Encodes back to the same "n" and "v".
            platform::json::Value encoded = platform::json::encodeToValue(element);
            EXPECT_EQ(shapetests::keysOf(encoded), (std::vector<std::string>{"n", "v"}));
            EXPECT_EQ(*encoded.find("n"), platform::json::Value(std::string(lottie::rawValue(testCase.type))));
            EXPECT_TRUE(byDictionary(platform::json::serialize(encoded)) == element);
            EXPECT_TRUE(byKeyed(platform::json::serialize(encoded)) == element);
        }
    }
}

TEST(DashElements, FailuresOfBothDecoders) {
    struct Case {
        const char* text;
        unsigned line;
        Kind keyedKind;
    };
    for (const Case& testCase : {Case{R"({"n":"x","v":{"k":1}})", 25, Kind::dataCorrupted},
                                 Case{R"({"n":"D","v":{"k":1}})", 25, Kind::dataCorrupted},
                                 Case{R"({"n":1,"v":{"k":1}})", 23, Kind::typeMismatch},
                                 Case{R"({"v":{"k":1}})", 23, Kind::keyNotFound},
                                 Case{R"({"n":"g"})", 28, Kind::keyNotFound},
                                 Case{R"({"n":"g","v":3})", 28, Kind::typeMismatch}}) {
        SCOPED_TRACE(testCase.text);
        try {
            byDictionary(testCase.text);
            ADD_FAILURE() << "accepted by the dictionary decoder";
        } catch (const InitializableError& error) {
            EXPECT_EQ(error, InitializableError::invalidInput("Lottie/DashPattern", testCase.line));
        }
        try {
            byKeyed(testCase.text);
            ADD_FAILURE() << "accepted by the keyed decoder";
        } catch (const platform::json::DecodingError& error) {
            EXPECT_EQ(error.kind(), testCase.keyedKind);
        }
    }
    // The value's own error passes through.
    try {
        byDictionary(R"({"n":"d","v":{"k":"long"}})");
        ADD_FAILURE() << "accepted a malformed value";
    } catch (const InitializableError& error) {
        EXPECT_EQ(error, InitializableError::invalidInput("Lottie/KeyframeGroup", 166));
    }
}

TEST(DashElements, PatternsCompareElementByElement) {
    using lottie::DashPattern;
    auto dash = std::make_shared<const DashElement>(DashElementType::dash, lottie::staticGroup(lottie::LottieVector1D(3)));
    auto gap = std::make_shared<const DashElement>(DashElementType::gap, lottie::staticGroup(lottie::LottieVector1D(3)));
    EXPECT_TRUE(lottie::samePattern(std::nullopt, std::nullopt));
    EXPECT_FALSE(lottie::samePattern(DashPattern{}, std::nullopt));
    EXPECT_TRUE(lottie::samePattern(DashPattern{dash, gap}, DashPattern{dash, gap}));
    EXPECT_FALSE(lottie::samePattern(DashPattern{dash, gap}, DashPattern{gap, dash}));
    EXPECT_FALSE(lottie::samePattern(DashPattern{dash}, DashPattern{dash, dash}));
}

}  // namespace
