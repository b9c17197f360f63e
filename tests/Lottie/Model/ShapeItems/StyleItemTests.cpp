#include <gtest/gtest.h>

#include "Lottie/Model/ShapeItems/Fill.h"
#include "Lottie/Model/ShapeItems/GradientFill.h"
#include "Lottie/Model/ShapeItems/GradientStroke.h"
#include "Lottie/Model/ShapeItems/Stroke.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemSamples.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemTestSupport.h"

using namespace shapetests;
using lottie::DashElementType;
using lottie::StrokeShapeItem;

namespace {

// Both stroke kinds without their width.
const std::string strokeKeys = R"("ty":"st","o":{"k":100},"c":{"k":[0,0,1]})";
const std::string gradientStrokeKeys =
    R"("ty":"gs","o":{"k":100},"s":{"k":[0,0]},"e":{"k":[100,0]},"t":1,"g":)" + sampleGradientStops;

std::string width(int value) { return R"("w":{"k":)" + std::to_string(value) + "}"; }

std::shared_ptr<const StrokeShapeItem> asStroke(const ItemPtr& item) {
    auto stroke = std::dynamic_pointer_cast<const StrokeShapeItem>(item);
    EXPECT_TRUE(stroke) << "not a stroke";
    return stroke;
}

TEST(StyleItems, DashPatternKeepsItsOrder) {
    const std::string pattern = R"("d":[{"n":"d","v":{"k":4}},{"n":"g","v":{"k":2}},{"n":"o","v":{"k":[1]}}])";
    const std::string item = object({strokeKeys, width(3), pattern});
    for (const ItemPtr& decoded : {byDictionary(item), byKeyed(item)}) {
        auto stroke = as<lottie::Stroke>(decoded);
        ASSERT_TRUE(stroke->dashPattern());
        const lottie::DashPattern& pattern = *stroke->dashPattern();
        ASSERT_EQ(pattern.size(), 3u);
        EXPECT_EQ(pattern[0]->type(), DashElementType::dash);
        EXPECT_EQ(staticValue(pattern[0]->value()), 4);
        EXPECT_EQ(pattern[1]->type(), DashElementType::gap);
        EXPECT_EQ(pattern[2]->type(), DashElementType::offset);
        EXPECT_EQ(staticValue(pattern[2]->value()), 1);
    }
}

// The copy equals the item decoded with the new width and shares the other
// groups; the original keeps its width.
TEST(StyleItems, WithWidthChangesOnlyTheWidth) {
    const std::string others = R"("nm":"outline","hd":true,"lc":1,"d":[{"n":"d","v":{"k":4}}])";
    for (const std::string& keys : {strokeKeys, gradientStrokeKeys}) {
        SCOPED_TRACE(keys);
        auto stroke = asStroke(byDictionary(object({keys, width(3), others})));
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

TEST(StyleItems, GradientFillReadsItsStopsAndType) {
    for (const Sample& sample : richSamples()) {
        if (sample.name != "gradientFill") continue;
        for (const ItemPtr& decoded : {byDictionary(sample.json), byKeyed(sample.json)}) {
            auto radial = as<lottie::GradientFill>(decoded);
            EXPECT_EQ(radial->gradientType(), lottie::GradientType::radial);
            EXPECT_EQ(radial->numberOfColors(), 2);
            EXPECT_EQ(radial->colors()->keyframes().front().value(), (std::vector<double>{0, 1, 0, 0, 1, 0, 0, 1}));
            EXPECT_EQ(staticValue(radial->highlightLength()), 30);
            EXPECT_EQ(staticValue(radial->highlightAngle()), 45);
            EXPECT_EQ(*encode(*radial).find("g"), platform::json::parse(sampleGradientStops));
        }
    }
}

}  // namespace
