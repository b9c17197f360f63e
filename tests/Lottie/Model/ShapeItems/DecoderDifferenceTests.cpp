// Where the two decoders part ways on the same item: the dictionary decoder
// turns mistyped optional values into defaults, the keyed decoder throws.
// What a decoder makes of a doubtful item is stated as the well-formed item it
// equals; the defaults those stand for are checked by the other item tests.

#include <gtest/gtest.h>

#include <optional>

#include "tests/Lottie/Model/ShapeItems/ShapeItemSamples.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemTestSupport.h"

using namespace shapetests;
using Kind = platform::json::DecodingError::Kind;

namespace {

const std::string ellipse = R"("ty":"el","p":{"k":[0,0]},"s":{"k":[1,1]})";
const std::string fill = R"("ty":"fl","o":{"k":100},"c":{"k":[1,1,1]})";
const std::string stroke = R"("ty":"st","o":{"k":100},"c":{"k":[1,1,1]},"w":{"k":2})";
const std::string gradientFill =
    R"("ty":"gf","o":{"k":100},"s":{"k":[0,0]},"e":{"k":[1,0]},"t":1,"g":)" + sampleGradientStops;
const std::string star = R"("ty":"sr","p":{"k":[0,0]},"or":{"k":5},"os":{"k":0},"r":{"k":0},"pt":{"k":5},"sy":1)";
const std::string shape = R"("ty":"sh","ks":{"k":)" + sampleBezierPath + "}";

struct Difference {
    std::string item;
    std::string dictionaryReads;     // the item the dictionary decoder's result equals; empty: dropped
    std::optional<Kind> keyedError;  // the keyed decoder's error, when it fails
    std::string keyedReads = "";     // else the item its result equals; empty: as the dictionary reads
};

TEST(DecoderDifferences, SameInputSideBySide) {
    const Difference cases[] = {
        // Base keys; a boolean from a number.
        {object({fill, R"("nm":5)"}), object({fill}), Kind::typeMismatch},
        {object({fill, R"("nm":null)"}), object({fill}), std::nullopt},
        {object({fill, R"("hd":1)"}), object({fill, R"("hd":true)"}), Kind::typeMismatch},
        {object({fill, R"("hd":2)"}), object({fill}), Kind::typeMismatch},
        // Enumerations: a fallback case against the raw-value check.
        {object({ellipse, R"("d":7)"}), object({ellipse}), Kind::dataCorrupted},
        {object({shape, R"("d":4)"}), object({shape}), Kind::dataCorrupted},
        {object({stroke, R"("lc":7)"}), object({stroke}), Kind::dataCorrupted},
        {object({stroke, R"("lj":"bevel")"}), object({stroke}), Kind::typeMismatch},
        // Numbers: the keyed decoder takes no boolean for a number.
        {object({stroke, R"("ml":true)"}), object({stroke, R"("ml":1)"}), Kind::typeMismatch},
        // Dash patterns: one bad element loses the whole pattern, or fails.
        {object({stroke, R"("d":[{"n":"d","v":{"k":4}},{"n":"x","v":{"k":1}}])"}), object({stroke}),
         Kind::dataCorrupted},
        {object({stroke, R"("d":{"n":"d","v":{"k":4}})"}), object({stroke}), Kind::typeMismatch},
        // Optional animated properties that fail to decode.
        {object({gradientFill, R"("h":{"k":"long"})"}), object({gradientFill}), Kind::typeMismatch},
        {object({star, R"("ir":5,"is":[1])"}), object({star}), Kind::typeMismatch},
        {R"({"ty":"tr","r":{"k":"x"},"rz":{"k":20}})", R"({"ty":"tr","r":{"k":20}})", Kind::typeMismatch},
        {R"({"ty":"rp","c":3,"tr":{"so":50}})", R"({"ty":"rp","tr":{}})", Kind::typeMismatch},
        // "k" given as one keyframe entry rather than a list of them.
        {object({fill, R"("o":{"k":{"t":5,"s":[40]}})"}), object({fill, R"("o":{"k":[{"t":5,"s":[40]}]})"}),
         Kind::typeMismatch},
        // An unrecognised kind, codes being case-sensitive.
        {R"({"ty":"zz","nm":"later","hd":true,"whatever":5})", "", std::nullopt,
         R"({"ty":"unknown","nm":"later","hd":true})"},
        {R"({"ty":"EL","nm":"shouting"})", "", std::nullopt, R"({"ty":"unknown","nm":"shouting"})"},
        {R"({"ty":"gr","it":[{"ty":"zz"},{"ty":"mm","mm":2}]})", R"({"ty":"gr","it":[{"ty":"mm","mm":2}]})",
         std::nullopt, R"({"ty":"gr","it":[{"ty":"unknown"},{"ty":"mm","mm":2}]})"},
    };
    for (const Difference& testCase : cases) {
        SCOPED_TRACE(testCase.item);
        ItemPtr dictionaryItem;
        ASSERT_NO_THROW(dictionaryItem = byDictionary(testCase.item));
        if (testCase.dictionaryReads.empty()) {
            EXPECT_FALSE(dictionaryItem);
        } else {
            ASSERT_TRUE(dictionaryItem);
            EXPECT_TRUE(*dictionaryItem == *byDictionary(testCase.dictionaryReads));
        }
        if (testCase.keyedError) {
            EXPECT_EQ(keyedError(testCase.item).kind(), *testCase.keyedError);
            continue;
        }
        const std::string& keyedReads =
            testCase.keyedReads.empty() ? testCase.dictionaryReads : testCase.keyedReads;
        ItemPtr keyedItem;
        ASSERT_NO_THROW(keyedItem = byKeyed(testCase.item));
        ASSERT_TRUE(keyedItem);
        EXPECT_TRUE(*keyedItem == *byKeyed(keyedReads));
    }
}

}  // namespace
