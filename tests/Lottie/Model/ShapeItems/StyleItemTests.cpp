#include <gtest/gtest.h>

#include "Lottie/Model/ShapeItems/GradientStroke.h"
#include "Lottie/Model/ShapeItems/Stroke.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemSamples.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemTestSupport.h"

using namespace shapetests;
using lottie::StrokeShapeItem;

namespace {

// Both stroke kinds without their width.
const std::string strokeKeys = R"("ty":"st","o":{"k":100},"c":{"k":[0,0,1]})";
const std::string gradientStrokeKeys =
    R"("ty":"gs","o":{"k":100},"s":{"k":[0,0]},"e":{"k":[100,0]},"t":1,"g":)" + sampleGradientStops;

std::string width(int value) { return R"("w":{"k":)" + std::to_string(value) + "}"; }

// The copy equals the item decoded with the new width and shares the other
// groups; the original keeps its width.
TEST(StyleItems, WithWidthChangesOnlyTheWidth) {
    const std::string others = R"("nm":"outline","hd":true,"lc":1,"d":[{"n":"d","v":{"k":4}}])";
    for (const std::string& keys : {strokeKeys, gradientStrokeKeys}) {
        SCOPED_TRACE(keys);
        auto stroke =
            std::dynamic_pointer_cast<const StrokeShapeItem>(byDictionary(object({keys, width(3), others})));
        ASSERT_TRUE(stroke);
        auto copy = stroke->withWidth(lottie::staticGroup(lottie::LottieVector1D(9)));
        auto copyItem = std::dynamic_pointer_cast<const ShapeItem>(copy);
        ASSERT_TRUE(copyItem);
        EXPECT_TRUE(*copyItem == *byDictionary(object({keys, width(9), others})));
        EXPECT_EQ(staticValue(stroke->width()), 3);
        EXPECT_EQ(copy->opacity(), stroke->opacity());
        EXPECT_EQ(copy->dashPattern()->front(), stroke->dashPattern()->front());
    }
}

}  // namespace
