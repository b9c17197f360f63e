#include <gtest/gtest.h>

#include "Lottie/Model/ShapeItems/GradientFill.h"
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

// The copy equals the item decoded with the new points and shares the other
// groups; the original keeps its points.
TEST(StyleItems, WithPointsChangesOnlyThePoints) {
    const std::string gradientFillKeys = R"("ty":"gf","r":1,"t":2,"g":)" + sampleGradientStops;
    const auto points = [](int x) {
        return R"("s":{"k":[)" + std::to_string(x) + R"(,0]},"e":{"k":[)" + std::to_string(x + 50) + ",0]}";
    };
    for (const std::string& keys : {gradientFillKeys, R"("ty":"gs","t":1,"w":{"k":3},"g":)" + sampleGradientStops}) {
        SCOPED_TRACE(keys);
        const auto item = byDictionary(object({keys, points(0), R"("nm":"ramp","o":{"k":60})"}));
        const auto* gradient = dynamic_cast<const lottie::GradientShapeItem*>(item.get());
        ASSERT_TRUE(gradient);
        const auto copy = gradient->withPoints(lottie::staticGroup(lottie::LottieVector3D(20, 0, 0)),
                                               lottie::staticGroup(lottie::LottieVector3D(70, 0, 0)));
        ASSERT_TRUE(copy);
        EXPECT_TRUE(*copy == *byDictionary(object({keys, points(20), R"("nm":"ramp","o":{"k":60})"})));
        EXPECT_EQ(dynamic_cast<const lottie::GradientShapeItem&>(*copy).colors(), gradient->colors());
        EXPECT_EQ(gradient->startPoint()->keyframes().front().value().x, 0);
    }
}

}  // namespace
