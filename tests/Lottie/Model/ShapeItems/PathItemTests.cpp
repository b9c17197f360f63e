#include <gtest/gtest.h>

#include "Lottie/Model/ShapeItems/Shape.h"
#include "Lottie/Model/ShapeItems/Star.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemSamples.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemTestSupport.h"

using namespace shapetests;
using lottie::PathDirection;

namespace {

TEST(PathItems, PolygonWithoutInnerValuesWritesThemAsNull) {
    const std::string item =
        R"({"ty":"sr","p":{"k":[0,0]},"or":{"k":50},"os":{"k":0},"r":{"k":0},"pt":{"k":6},"sy":2})";
    for (const ItemPtr& decoded : {byDictionary(item), byKeyed(item)}) {
        auto star = as<lottie::Star>(decoded);
        EXPECT_EQ(star->starType(), lottie::StarType::polygon);
        EXPECT_FALSE(star->innerRadius());
        EXPECT_FALSE(star->innerRoundness());
        EXPECT_EQ(staticValue(star->points()), 6);
        platform::json::Value encoded = encode(*star);
        ASSERT_TRUE(encoded.find("ir"));
        EXPECT_TRUE(encoded.find("ir")->isNull());
        EXPECT_TRUE(encoded.find("is")->isNull());
        // The nulls read back as absent in both decoders.
        const std::string text = platform::json::serialize(encoded);
        EXPECT_TRUE(*star == *byDictionary(text));
        EXPECT_TRUE(*star == *byKeyed(text));
    }
}

// Star type 0 is a valid case in both decoders.
TEST(PathItems, StarTypeNoneIsAccepted) {
    const std::string none = R"({"ty":"sr","p":{"k":[0,0]},"or":{"k":1},"os":{"k":0},"r":{"k":0},"pt":{"k":3},"sy":0})";
    EXPECT_EQ(as<lottie::Star>(byDictionary(none))->starType(), lottie::StarType::none);
    EXPECT_EQ(as<lottie::Star>(byKeyed(none))->starType(), lottie::StarType::none);
}

TEST(PathItems, ShapeKeepsAnAbsentDirectionAbsent) {
    for (const char* direction : {"", R"("d":3)"}) {
        const std::string item = object({R"("ty":"sh","ks":{"k":)" + sampleBezierPath + "}", direction});
        SCOPED_TRACE(item);
        for (const ItemPtr& decoded : {byDictionary(item), byKeyed(item)}) {
            auto shape = as<lottie::Shape>(decoded);
            const bool given = *direction != 0;
            EXPECT_EQ(shape->direction(), given ? std::optional(PathDirection::counterClockwise) : std::nullopt);
            // Written only when it was read.
            EXPECT_EQ(encode(*shape).find("d") != nullptr, given);
        }
    }
}

}  // namespace
