// Drop shadows from a layer effect and from a layer style, checked in pixels:
// a red square casts a shadow of the document's colour at the offset its
// direction and distance give; the effect wins over the style.

#include <gtest/gtest.h>

#include <string>

#include "tests/Lottie/MainThread/Features/FeatureDocuments.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"

namespace {

using namespace mainthreadtest;
using namespace featuretest;

// Direction is measured from straight up in the effect: 180 points down.
std::string shadowEffect(const std::string& colour, double direction, double distance) {
    return R"({"ty":25,"nm":"Drop Shadow","ef":[)"
           R"({"ty":2,"nm":"Shadow Color","v":{"a":0,"k":)" + colour + "}},"
           R"({"ty":0,"nm":"Opacity","v":{"a":0,"k":255}},)"
           R"({"ty":1,"nm":"Direction","v":{"a":0,"k":)" + number(direction) + "}},"
           R"({"ty":0,"nm":"Distance","v":{"a":0,"k":)" + number(distance) + "}},"
           R"({"ty":0,"nm":"Softness","v":{"a":0,"k":0}}]})";
}

// The style's angle is the direction of the offset itself: 0 points right.
std::string shadowStyle(const std::string& colour, double angle, double distance) {
    return R"({"ty":1,"nm":"Drop Shadow","c":{"a":0,"k":)" + colour + R"(},"o":{"a":0,"k":100},"a":{"a":0,"k":)" +
           number(angle) + R"(},"s":{"a":0,"k":0},"d":{"a":0,"k":)" + number(distance) + "}}";
}

const std::string redSquare = rect(40, 40, 20, 20) + "," + fill(1, 0, 0);

TEST(DropShadowRender, FromAnEffectAndFromAStyle) {
    struct Case {
        const char* name;
        std::string layerExtra;
        // Where the shadow must be, and where it must not.
        int shadowX, shadowY;
        Rgba shadow;
        int emptyX, emptyY;
    };
    const Case cases[] = {
        {"effect pointing down", R"(,"ef":[)" + shadowEffect("[0,0,1,1]", 180, 20) + "]", 40, 62, {0, 0, 255, 255},
         62, 40},
        {"style pointing right", R"(,"sy":[)" + shadowStyle("[0,1,0,1]", 0, 20) + "]", 62, 40, {0, 255, 0, 255}, 40,
         62},
        {"effect wins over style",
         R"(,"ef":[)" + shadowEffect("[0,0,1,1]", 180, 20) + R"(],"sy":[)" + shadowStyle("[0,1,0,1]", 0, 20) + "]",
         40, 62, {0, 0, 255, 255}, 62, 40},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto image = renderDocument(shapeDocument(redSquare, test.layerExtra));
        ASSERT_TRUE(image);
        EXPECT_TRUE(pixelIs(*image, 40, 40, red));
        EXPECT_TRUE(pixelIs(*image, test.shadowX, test.shadowY, test.shadow, 4));
        EXPECT_TRUE(pixelIs(*image, test.emptyX, test.emptyY, clear));
        EXPECT_TRUE(pixelIs(*image, 40, 18, clear));
    }
}

}  // namespace
