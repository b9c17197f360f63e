#include <gtest/gtest.h>

#include "Lottie/Model/ShapeItems/Fill.h"
#include "Lottie/Model/ShapeItems/GradientFill.h"
#include "Lottie/Model/ShapeItems/GradientStroke.h"
#include "Lottie/Model/ShapeItems/Stroke.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemSamples.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemTestSupport.h"

using namespace shapetests;
using lottie::DashElementType;
using lottie::LineCap;
using lottie::LineJoin;
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

TEST(StyleItems, FillRuleInBothDecoders) {
    struct Case {
        const char* rule;
        lottie::FillRule expected;
    };
    const Case cases[] = {
        {"", lottie::FillRule::nonZeroWinding},
        {R"("r":0)", lottie::FillRule::none},
        {R"("r":1)", lottie::FillRule::nonZeroWinding},
        {R"("r":2)", lottie::FillRule::evenOdd},
    };
    const std::string kinds[] = {
        R"("ty":"fl","o":{"k":50},"c":{"k":[1,1,1]})",
        R"("ty":"gf","o":{"k":100},"s":{"k":[0,0]},"e":{"k":[100,0]},"t":1,"g":)" + sampleGradientStops,
    };
    for (const Case& testCase : cases) {
        for (const std::string& kind : kinds) {
            const std::string item = object({kind, testCase.rule});
            SCOPED_TRACE(item);
            for (const ItemPtr& decoded : {byDictionary(item), byKeyed(item)}) {
                if (auto fill = std::dynamic_pointer_cast<const lottie::Fill>(decoded)) {
                    EXPECT_EQ(fill->fillRule(), testCase.expected);
                } else {
                    EXPECT_EQ(as<lottie::GradientFill>(decoded)->fillRule(), testCase.expected);
                }
            }
        }
    }
}

// Line cap, line join and miter limit of both stroke kinds, absent and given.
TEST(StyleItems, StrokeShapeInBothKindsAndDecoders) {
    struct Case {
        const char* members;
        LineCap cap;
        LineJoin join;
        double miterLimit;
    };
    const Case cases[] = {
        {"", LineCap::round, LineJoin::round, 4},
        {R"("lc":0,"lj":3,"ml":1.5)", LineCap::none, LineJoin::bevel, 1.5},
        {R"("lc":1,"lj":1)", LineCap::butt, LineJoin::miter, 4},
    };
    for (const std::string& keys : {strokeKeys, gradientStrokeKeys}) {
        for (const Case& testCase : cases) {
            const std::string item = object({keys, width(3), testCase.members});
            SCOPED_TRACE(item);
            for (const ItemPtr& decoded : {byDictionary(item), byKeyed(item)}) {
                auto stroke = asStroke(decoded);
                ASSERT_TRUE(stroke);
                EXPECT_EQ(stroke->lineCap(), testCase.cap);
                EXPECT_EQ(stroke->lineJoin(), testCase.join);
                EXPECT_EQ(stroke->miterLimit(), testCase.miterLimit);
                EXPECT_FALSE(stroke->dashPattern());
                // Only the plain stroke has a solid colour.
                EXPECT_EQ(stroke->strokeColor() != nullptr, keys == strokeKeys);
            }
        }
    }
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
            EXPECT_EQ(keysOf(*encode(*radial).find("g")), (std::vector<std::string>{"p", "k"}));
        }
    }
}

}  // namespace
