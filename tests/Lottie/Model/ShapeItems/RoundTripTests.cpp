#include <gtest/gtest.h>

#include "tests/Lottie/Model/ShapeItems/ShapeItemSamples.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemTestSupport.h"

using namespace shapetests;

namespace {

// Every kind, with only its required keys and with every optional key: both
// decoders read the same model; decode, encode, decode again (by either
// decoder): the same model again.
TEST(ShapeItemRoundTrip, EveryKindByBothDecoders) {
    for (const auto* samples : {&minimalSamples(), &richSamples()}) {
        for (const Sample& sample : *samples) {
            SCOPED_TRACE(sample.json);
            const ItemPtr reference = byDictionary(sample.json);
            ASSERT_TRUE(reference);
            for (const ItemPtr& decoded : {reference, byKeyed(sample.json)}) {
                ASSERT_TRUE(decoded);
                EXPECT_TRUE(*decoded == *reference);
                const std::string encoded = encodeText(*decoded);
                for (const ItemPtr& again : {byDictionary(encoded), byKeyed(encoded)}) {
                    ASSERT_TRUE(again);
                    EXPECT_TRUE(*again == *decoded) << encoded;
                    // And the second encoding is the first.
                    EXPECT_EQ(encodeText(*again), encoded);
                }
            }
        }
    }
}

TEST(ShapeItemRoundTrip, EqualityNoticesEveryKindOfChange) {
    // Each pair differs in one value only.
    const std::pair<std::string, std::string> pairs[] = {
        {R"({"ty":"el","p":{"k":[0,0]},"s":{"k":[1,1]}})", R"({"ty":"el","p":{"k":[0,0]},"s":{"k":[1,2]}})"},
        {R"({"ty":"el","p":{"k":[0,0]},"s":{"k":[1,1]}})", R"({"ty":"el","d":3,"p":{"k":[0,0]},"s":{"k":[1,1]}})"},
        {R"({"ty":"mm","mm":1})", R"({"ty":"mm","mm":1,"nm":"x"})"},
        {R"({"ty":"mm","mm":1})", R"({"ty":"mm","mm":1,"hd":true})"},
        {R"({"ty":"unknown"})", R"({"ty":"tr"})"},
        {R"({"ty":"gr","it":[]})", R"({"ty":"gr","it":[{"ty":"mm","mm":1}]})"},
        {R"({"ty":"gr","it":[{"ty":"mm","mm":1}]})", R"({"ty":"gr","it":[{"ty":"mm","mm":2}]})"},
        {R"({"ty":"st","o":{"k":1},"c":{"k":[1,1,1]},"w":{"k":1}})",
         R"({"ty":"st","o":{"k":1},"c":{"k":[1,1,1]},"w":{"k":1},"d":[]})"},
        {R"({"ty":"st","o":{"k":1},"c":{"k":[1,1,1]},"w":{"k":1},"d":[{"n":"d","v":{"k":1}}]})",
         R"({"ty":"st","o":{"k":1},"c":{"k":[1,1,1]},"w":{"k":1},"d":[{"n":"g","v":{"k":1}}]})"},
        {R"({"ty":"gf","o":{"k":1},"s":{"k":[0,0]},"e":{"k":[1,0]},"t":1,"g":{"p":2,"k":{"k":[0,1]}}})",
         R"({"ty":"gf","o":{"k":1},"s":{"k":[0,0]},"e":{"k":[1,0]},"t":1,"g":{"p":3,"k":{"k":[0,1]}}})"},
        {R"({"ty":"tm","s":{"k":0},"e":{"k":1},"o":{"k":0}})",
         R"({"ty":"tm","s":{"k":0},"e":{"k":1},"o":{"k":[{"t":0,"s":[0]}]}})"},
    };
    for (const auto& [first, second] : pairs) {
        SCOPED_TRACE(first + " / " + second);
        EXPECT_TRUE(*byKeyed(first) == *byDictionary(first));
        EXPECT_FALSE(*byKeyed(first) == *byKeyed(second));
        EXPECT_FALSE(*byDictionary(second) == *byDictionary(first));
    }
}

}  // namespace
