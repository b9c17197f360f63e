#include <gtest/gtest.h>

#include "tests/Lottie/Model/ShapeItems/ShapeItemSamples.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemTestSupport.h"

using namespace shapetests;
using lottie::InitializableError;
using Kind = platform::json::DecodingError::Kind;

namespace {

const std::string stops = sampleGradientStops;
const std::string gradientFill = R"("ty":"gf","o":{"k":100},"s":{"k":[0,0]},"e":{"k":[1,0]},"t":1)";
const std::string gradientStroke = R"("ty":"gs","o":{"k":100},"s":{"k":[0,0]},"e":{"k":[1,0]},"t":1,"w":{"k":1})";
const std::string starBase = R"("ty":"sr","p":{"k":[0,0]},"or":{"k":5},"os":{"k":0},"r":{"k":0},"pt":{"k":5})";
const std::string trimBase = R"("ty":"tm","s":{"k":0},"e":{"k":100},"o":{"k":0})";

struct ErrorCase {
    std::string item;
    const char* file;
    unsigned line;
    Kind keyedKind;
};

// A failing key of each item kind, and each range check, is reported by the
// dictionary decoder by file and line; the keyed decoder fails the same input
// with the platform's error. Required keys share one guard: a row per kind.
TEST(ShapeItemErrors, EachFailingKeyIsReportedByBothDecoders) {
    const ErrorCase cases[] = {
        {R"({"ty":"el","s":{"k":[1,1]}})", "Lottie/Ellipse", 39, Kind::keyNotFound},
        {R"({"ty":"rc","p":{"k":[0,0]},"s":{"k":[1,1]}})", "Lottie/Rectangle", 36, Kind::keyNotFound},
        {R"({"ty":"sr","or":{"k":5},"os":{"k":0},"r":{"k":0},"pt":{"k":5},"sy":1})", "Lottie/Star", 45, Kind::keyNotFound},
        {object({starBase}), "Lottie/Star", 65, Kind::keyNotFound},
        {object({starBase, R"("sy":3)"}), "Lottie/Star", 67, Kind::dataCorrupted},
        {R"({"ty":"sh"})", "Lottie/Shape", 23, Kind::keyNotFound},
        {R"({"ty":"fl","o":{"k":100},"c":"red"})", "Lottie/Fill", 33, Kind::typeMismatch},
        {R"({"ty":"st","o":{"k":100},"c":{"k":[1,1,1]}})", "Lottie/Stroke", 31, Kind::keyNotFound},
        {R"({"ty":"gf","o":{"k":1},"s":{"k":[0,0]},"e":{"k":[1,0]},"t":3,"g":)" + stops + "}", "Lottie/GradientFill", 46, Kind::dataCorrupted},
        {object({gradientFill}), "Lottie/GradientFill", 59, Kind::keyNotFound},
        {object({gradientFill, R"("g":{"p":2})"}), "Lottie/GradientFill", 60, Kind::keyNotFound},
        {object({gradientFill, R"("g":{"p":1.5,"k":{"k":[0,1]}})"}), "Lottie/GradientFill", 62, Kind::dataCorrupted},
        {R"({"ty":"gs","o":{"k":1},"s":{"k":[0,0]},"e":{"k":[1,0]},"t":3,"w":{"k":1},"g":)" + stops + "}", "Lottie/GradientStroke", 61, Kind::dataCorrupted},
        {R"({"ty":"gs","o":{"k":1},"s":{"k":[0,0]},"e":{"k":[1,0]},"t":1,"g":)" + stops + "}", "Lottie/GradientStroke", 74, Kind::keyNotFound},
        {object({gradientStroke, R"("g":{"p":null,"k":{"k":[0,1]}})"}), "Lottie/GradientStroke", 96, Kind::valueNotFound},
        {R"({"ty":"gr","it":[{"ty":"mm","mm":1},7]})", "Lottie/Group", 22, Kind::typeMismatch},
        // An error deep inside nested groups reaches the top.
        {R"({"ty":"gr","it":[{"ty":"gr","it":[{"ty":"rd","r":5}]}]})", "Lottie/RoundedCorners", 25,
         Kind::typeMismatch},
        {R"({"ty":"mm"})", "Lottie/Merge", 32, Kind::keyNotFound},
        {R"({"ty":"mm","mm":6})", "Lottie/Merge", 34, Kind::dataCorrupted},
        {R"({"ty":"tm","s":{"k":0},"e":{"k":100}})", "Lottie/Trim", 35, Kind::keyNotFound},
        {object({trimBase, R"("m":1.5)"}), "Lottie/Trim", 37, Kind::dataCorrupted},
        {object({trimBase, R"("m":0)"}), "Lottie/Trim", 39, Kind::dataCorrupted},
        {R"({"ty":"rp","c":{"k":2}})", "Lottie/Repeater", 61, Kind::keyNotFound},
        // Errors of an animated property's own decoding pass through unchanged.
        {R"({"ty":"fl","o":{"k":"full"},"c":{"k":[1,1,1]}})", "Lottie/KeyframeGroup", 166, Kind::typeMismatch},
        {R"({"ty":"fl","o":{"k":[{"t":0}]},"c":{"k":[1,1,1]}})", "Lottie/KeyframeGroup", 175, Kind::dataCorrupted},
        {R"({"ty":"rp","tr":{"r":{"k":"x"}}})", "Lottie/KeyframeGroup", 166, Kind::typeMismatch},
        // Stops that are no list of numbers are no single value, nor keyframes.
        {object({gradientFill, R"("g":{"p":2,"k":{"k":5}})"}), "Lottie/KeyframeGroup", 166, Kind::typeMismatch},
    };
    for (const ErrorCase& testCase : cases) {
        SCOPED_TRACE(testCase.item);
        EXPECT_EQ(dictionaryError(testCase.item), InitializableError::invalidInput(testCase.file, testCase.line));
        EXPECT_EQ(keyedError(testCase.item).kind(), testCase.keyedKind);
    }
}

// The keyed decoder's errors name the failing key in their coding path.
TEST(ShapeItemErrors, KeyedErrorsCarryTheirCodingPath) {
    auto missing = keyedError(R"({"ty":"gr","it":[{"ty":"gr","it":[{"ty":"el","p":{"k":[0,0]}}]}]})");
    EXPECT_EQ(missing.kind(), Kind::keyNotFound);
    ASSERT_TRUE(missing.key());
    EXPECT_EQ(missing.key()->stringValue, "s");
    EXPECT_EQ(platform::json::describe(missing.codingPath()), "shapes[0].it[0].it[0]");
}

}  // namespace
