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

// Every failing key of the dictionary decoder is reported by file and line;
// the keyed decoder fails the same input with the platform's error.
TEST(ShapeItemErrors, EachFailingKeyIsReportedByBothDecoders) {
    const ErrorCase cases[] = {
        {R"({"ty":"el","s":{"k":[1,1]}})", "Lottie/Ellipse", 39, Kind::keyNotFound},
        {R"({"ty":"el","p":[0,0],"s":{"k":[1,1]}})", "Lottie/Ellipse", 39, Kind::typeMismatch},
        {R"({"ty":"el","p":{"k":[0,0]}})", "Lottie/Ellipse", 41, Kind::keyNotFound},
        {R"({"ty":"rc","s":{"k":[1,1]},"r":{"k":0}})", "Lottie/Rectangle", 32, Kind::keyNotFound},
        {R"({"ty":"rc","p":{"k":[0,0]},"r":{"k":0}})", "Lottie/Rectangle", 34, Kind::keyNotFound},
        {R"({"ty":"rc","p":{"k":[0,0]},"s":{"k":[1,1]},"r":4})", "Lottie/Rectangle", 36, Kind::typeMismatch},
        {R"({"ty":"rc","p":{"k":[0,0]},"s":{"k":[1,1]}})", "Lottie/Rectangle", 36, Kind::keyNotFound},
        {R"({"ty":"sr","or":{"k":5},"os":{"k":0},"r":{"k":0},"pt":{"k":5},"sy":1})", "Lottie/Star", 45, Kind::keyNotFound},
        {R"({"ty":"sr","p":{"k":[0,0]},"os":{"k":0},"r":{"k":0},"pt":{"k":5},"sy":1})", "Lottie/Star", 47, Kind::keyNotFound},
        {R"({"ty":"sr","p":{"k":[0,0]},"or":{"k":5},"r":{"k":0},"pt":{"k":5},"sy":1})", "Lottie/Star", 49, Kind::keyNotFound},
        {R"({"ty":"sr","p":{"k":[0,0]},"or":{"k":5},"os":{"k":0},"pt":{"k":5},"sy":1})", "Lottie/Star", 61, Kind::keyNotFound},
        {R"({"ty":"sr","p":{"k":[0,0]},"or":{"k":5},"os":{"k":0},"r":{"k":0},"sy":1})", "Lottie/Star", 63, Kind::keyNotFound},
        {object({starBase}), "Lottie/Star", 65, Kind::keyNotFound},
        {object({starBase, R"("sy":"1")"}), "Lottie/Star", 65, Kind::typeMismatch},
        {object({starBase, R"("sy":1.5)"}), "Lottie/Star", 65, Kind::dataCorrupted},
        {object({starBase, R"("sy":3)"}), "Lottie/Star", 67, Kind::dataCorrupted},
        {object({starBase, R"("sy":-1)"}), "Lottie/Star", 67, Kind::dataCorrupted},
        {R"({"ty":"sh"})", "Lottie/Shape", 23, Kind::keyNotFound},
        {R"({"ty":"sh","ks":[]})", "Lottie/Shape", 23, Kind::typeMismatch},
        {R"({"ty":"fl","c":{"k":[1,1,1]}})", "Lottie/Fill", 31, Kind::keyNotFound},
        {R"({"ty":"fl","o":{"k":100},"c":"red"})", "Lottie/Fill", 33, Kind::typeMismatch},
        {R"({"ty":"st","c":{"k":[1,1,1]},"w":{"k":1}})", "Lottie/Stroke", 27, Kind::keyNotFound},
        {R"({"ty":"st","o":{"k":100},"w":{"k":1}})", "Lottie/Stroke", 29, Kind::keyNotFound},
        {R"({"ty":"st","o":{"k":100},"c":{"k":[1,1,1]}})", "Lottie/Stroke", 31, Kind::keyNotFound},
        {R"({"ty":"gf","s":{"k":[0,0]},"e":{"k":[1,0]},"t":1,"g":)" + stops + "}", "Lottie/GradientFill", 38, Kind::keyNotFound},
        {R"({"ty":"gf","o":{"k":1},"e":{"k":[1,0]},"t":1,"g":)" + stops + "}", "Lottie/GradientFill", 40, Kind::keyNotFound},
        {R"({"ty":"gf","o":{"k":1},"s":{"k":[0,0]},"t":1,"g":)" + stops + "}", "Lottie/GradientFill", 42, Kind::keyNotFound},
        {R"({"ty":"gf","o":{"k":1},"s":{"k":[0,0]},"e":{"k":[1,0]},"g":)" + stops + "}", "Lottie/GradientFill", 44, Kind::keyNotFound},
        {R"({"ty":"gf","o":{"k":1},"s":{"k":[0,0]},"e":{"k":[1,0]},"t":3,"g":)" + stops + "}", "Lottie/GradientFill", 46, Kind::dataCorrupted},
        {R"({"ty":"gf","o":{"k":1},"s":{"k":[0,0]},"e":{"k":[1,0]},"t":-1,"g":)" + stops + "}", "Lottie/GradientFill", 46, Kind::dataCorrupted},
        {object({gradientFill}), "Lottie/GradientFill", 59, Kind::keyNotFound},
        {object({gradientFill, R"("g":[2])"}), "Lottie/GradientFill", 59, Kind::typeMismatch},
        {object({gradientFill, R"("g":{"p":2})"}), "Lottie/GradientFill", 60, Kind::keyNotFound},
        {object({gradientFill, R"("g":{"p":2,"k":[0,1]})"}), "Lottie/GradientFill", 60, Kind::typeMismatch},
        {object({gradientFill, R"("g":{"p":"3","k":{"k":[0,1]}})"}), "Lottie/GradientFill", 62, Kind::typeMismatch},
        {object({gradientFill, R"("g":{"p":1.5,"k":{"k":[0,1]}})"}), "Lottie/GradientFill", 62, Kind::dataCorrupted},
        {object({gradientFill, R"("g":{"k":{"k":[0,1]}})"}), "Lottie/GradientFill", 62, Kind::keyNotFound},
        {R"({"ty":"gs","s":{"k":[0,0]},"e":{"k":[1,0]},"t":1,"w":{"k":1},"g":)" + stops + "}", "Lottie/GradientStroke", 53, Kind::keyNotFound},
        {R"({"ty":"gs","o":{"k":1},"e":{"k":[1,0]},"t":1,"w":{"k":1},"g":)" + stops + "}", "Lottie/GradientStroke", 55, Kind::keyNotFound},
        {R"({"ty":"gs","o":{"k":1},"s":{"k":[0,0]},"t":1,"w":{"k":1},"g":)" + stops + "}", "Lottie/GradientStroke", 57, Kind::keyNotFound},
        {R"({"ty":"gs","o":{"k":1},"s":{"k":[0,0]},"e":{"k":[1,0]},"w":{"k":1},"g":)" + stops + "}", "Lottie/GradientStroke", 59, Kind::keyNotFound},
        {R"({"ty":"gs","o":{"k":1},"s":{"k":[0,0]},"e":{"k":[1,0]},"t":3,"w":{"k":1},"g":)" + stops + "}", "Lottie/GradientStroke", 61, Kind::dataCorrupted},
        {R"({"ty":"gs","o":{"k":1},"s":{"k":[0,0]},"e":{"k":[1,0]},"t":-2,"w":{"k":1},"g":)" + stops + "}", "Lottie/GradientStroke", 61, Kind::dataCorrupted},
        {R"({"ty":"gs","o":{"k":1},"s":{"k":[0,0]},"e":{"k":[1,0]},"t":1,"g":)" + stops + "}", "Lottie/GradientStroke", 74, Kind::keyNotFound},
        {object({gradientStroke}), "Lottie/GradientStroke", 93, Kind::keyNotFound},
        {object({gradientStroke, R"("g":{"p":2})"}), "Lottie/GradientStroke", 94, Kind::keyNotFound},
        {object({gradientStroke, R"("g":{"p":null,"k":{"k":[0,1]}})"}), "Lottie/GradientStroke", 96, Kind::valueNotFound},
        {R"({"ty":"gr"})", "Lottie/Group", 22, Kind::keyNotFound},
        {R"({"ty":"gr","it":{}})", "Lottie/Group", 22, Kind::typeMismatch},
        {R"({"ty":"gr","it":[{"ty":"mm","mm":1},7]})", "Lottie/Group", 22, Kind::typeMismatch},
        // An error deep inside nested groups reaches the top.
        {R"({"ty":"gr","it":[{"ty":"gr","it":[{"ty":"rd","r":5}]}]})", "Lottie/RoundedCorners", 25,
         Kind::typeMismatch},
        {R"({"ty":"mm"})", "Lottie/Merge", 32, Kind::keyNotFound},
        {R"({"ty":"mm","mm":"1"})", "Lottie/Merge", 32, Kind::typeMismatch},
        {R"({"ty":"mm","mm":6})", "Lottie/Merge", 34, Kind::dataCorrupted},
        {R"({"ty":"mm","mm":-1})", "Lottie/Merge", 34, Kind::dataCorrupted},
        {R"({"ty":"rd","r":5})", "Lottie/RoundedCorners", 25, Kind::typeMismatch},
        {R"({"ty":"rd"})", "Lottie/RoundedCorners", 25, Kind::keyNotFound},
        {R"({"ty":"tm","e":{"k":100},"o":{"k":0}})", "Lottie/Trim", 31, Kind::keyNotFound},
        {R"({"ty":"tm","s":{"k":0},"o":{"k":0}})", "Lottie/Trim", 33, Kind::keyNotFound},
        {R"({"ty":"tm","s":{"k":0},"e":{"k":100}})", "Lottie/Trim", 35, Kind::keyNotFound},
        {object({trimBase, R"("m":"1")"}), "Lottie/Trim", 37, Kind::typeMismatch},
        {object({trimBase, R"("m":1.5)"}), "Lottie/Trim", 37, Kind::dataCorrupted},
        {object({trimBase, R"("m":0)"}), "Lottie/Trim", 39, Kind::dataCorrupted},
        {object({trimBase, R"("m":3)"}), "Lottie/Trim", 39, Kind::dataCorrupted},
        {R"({"ty":"rp","c":{"k":2}})", "Lottie/Repeater", 61, Kind::keyNotFound},
        {R"({"ty":"rp","tr":[]})", "Lottie/Repeater", 61, Kind::typeMismatch},
        // Errors of an animated property's own decoding pass through unchanged.
        {R"({"ty":"fl","o":{"k":"full"},"c":{"k":[1,1,1]}})", "Lottie/KeyframeGroup", 166, Kind::typeMismatch},
        {R"({"ty":"fl","o":{"k":[{"t":0}]},"c":{"k":[1,1,1]}})", "Lottie/KeyframeGroup", 175, Kind::dataCorrupted},
        {R"({"ty":"rp","c":{"x":"loop"},"tr":{}})", "Lottie/KeyframeGroup", 166, Kind::keyNotFound},
        {R"({"ty":"rp","tr":{"r":{"k":"x"}}})", "Lottie/KeyframeGroup", 166, Kind::typeMismatch},
        {R"({"ty":"sr","p":{"k":[0,0]},"or":{"k":5},"os":{"k":0},"ir":{"k":"x"},"r":{"k":0},"pt":{"k":5},"sy":1})",
         "Lottie/KeyframeGroup", 166, Kind::typeMismatch},
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

    auto corrupt = keyedError(R"({"ty":"st","o":{"k":1},"c":{"k":[1,1,1]},"w":{"k":1},"lc":9})");
    EXPECT_EQ(corrupt.kind(), Kind::dataCorrupted);
    EXPECT_EQ(platform::json::describe(corrupt.codingPath()), "shapes[0].lc");
}

}  // namespace
