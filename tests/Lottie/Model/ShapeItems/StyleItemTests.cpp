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

namespace {

const std::string strokeKeys = R"("ty":"st","o":{"k":100},"c":{"k":[0,0,1]},"w":{"k":3})";
const std::string gradientStrokeKeys =
    R"("ty":"gs","o":{"k":100},"s":{"k":[0,0]},"e":{"k":[100,0]},"t":1,"w":{"k":2},"g":)" + sampleGradientStops;

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
    for (const Case& testCase : cases) {
        const std::string item = object({R"("ty":"fl","o":{"k":50},"c":{"k":[255,255,255]})", testCase.rule});
        SCOPED_TRACE(item);
        for (const ItemPtr& decoded : {byDictionary(item), byKeyed(item)}) {
            auto fill = as<lottie::Fill>(decoded);
            EXPECT_EQ(fill->fillRule(), testCase.expected);
            EXPECT_EQ(staticValue(fill->opacity()), 50);
            // Colours above 1 are read as 0 to 255.
            EXPECT_EQ(fill->color()->keyframes().front().value(), lottie::LottieColor(1, 1, 1, 1));
            const lottie::OpacityAnimationModel& model = *fill;
            EXPECT_EQ(model.opacity(), fill->opacity());
        }
    }
}

TEST(StyleItems, StrokeDefaultsAndExplicitValues) {
    for (const ItemPtr& decoded : {byDictionary(object({strokeKeys})), byKeyed(object({strokeKeys}))}) {
        auto stroke = as<lottie::Stroke>(decoded);
        EXPECT_EQ(stroke->lineCap(), LineCap::round);
        EXPECT_EQ(stroke->lineJoin(), LineJoin::round);
        EXPECT_EQ(stroke->miterLimit(), 4);
        EXPECT_FALSE(stroke->dashPattern());
        EXPECT_EQ(staticValue(stroke->width()), 3);
        EXPECT_EQ(keysOf(encode(*stroke)),
                  (std::vector<std::string>{"nm", "ty", "hd", "o", "c", "w", "lc", "lj", "ml"}));
    }
    const std::string item = object({strokeKeys, R"("lc":0,"lj":3,"ml":1.5)"});
    for (const ItemPtr& decoded : {byDictionary(item), byKeyed(item)}) {
        auto stroke = as<lottie::Stroke>(decoded);
        EXPECT_EQ(stroke->lineCap(), LineCap::none);
        EXPECT_EQ(stroke->lineJoin(), LineJoin::bevel);
        EXPECT_EQ(stroke->miterLimit(), 1.5);
    }
}

TEST(StyleItems, DashPatternKeepsItsOrderAndAnEmptyPatternIsNotAbsent) {
    const std::string item =
        object({strokeKeys, R"("d":[{"n":"d","v":{"k":4}},{"n":"g","v":{"k":2}},{"n":"o","v":{"k":[1]}}])"});
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
    const std::string empty = object({strokeKeys, R"("d":[])"});
    for (const ItemPtr& decoded : {byDictionary(empty), byKeyed(empty)}) {
        auto stroke = as<lottie::Stroke>(decoded);
        ASSERT_TRUE(stroke->dashPattern());
        EXPECT_TRUE(stroke->dashPattern()->empty());
        platform::json::Value encoded = encode(*stroke);
        ASSERT_TRUE(encoded.find("d"));
        EXPECT_EQ(*encoded.find("d"), platform::json::parse("[]"));
    }
}

TEST(StyleItems, WithWidthMakesANewStrokeSharingEverythingElse) {
    const std::string item = object({strokeKeys, R"("nm":"outline","hd":true,"lc":1,"d":[{"n":"d","v":{"k":4}}])"});
    auto stroke = as<lottie::Stroke>(byDictionary(item));
    auto width = lottie::staticGroup(lottie::LottieVector1D(9));
    auto copy = std::dynamic_pointer_cast<const lottie::Stroke>(stroke->withWidth(width));
    ASSERT_TRUE(copy);
    EXPECT_NE(copy.get(), stroke.get());
    EXPECT_EQ(copy->width(), width);
    EXPECT_EQ(staticValue(stroke->width()), 3);
    EXPECT_EQ(copy->color(), stroke->color());
    EXPECT_EQ(copy->opacity(), stroke->opacity());
    EXPECT_EQ(copy->dashPattern()->front(), stroke->dashPattern()->front());
    EXPECT_EQ(copy->name(), "outline");
    EXPECT_TRUE(copy->hidden());
    EXPECT_EQ(copy->type(), lottie::ShapeType::stroke);
    EXPECT_EQ(copy->lineCap(), LineCap::butt);
    EXPECT_FALSE(*copy == *stroke);
    EXPECT_TRUE(*std::dynamic_pointer_cast<const lottie::Stroke>(stroke->withWidth(stroke->width())) == *stroke);
    // The copy encodes like a decoded stroke of that width.
    EXPECT_TRUE(*copy == *byDictionary(encodeText(*copy)));
}

TEST(StyleItems, StrokeAnswersTheStrokeProtocol) {
    auto stroke = as<lottie::Stroke>(byKeyed(object({strokeKeys, R"("lj":1,"ml":7)"})));
    const lottie::StrokeShapeItem& model = *stroke;
    EXPECT_EQ(model.strokeColor(), stroke->color());
    EXPECT_EQ(model.width(), stroke->width());
    EXPECT_EQ(model.opacity(), stroke->opacity());
    EXPECT_EQ(model.lineJoin(), LineJoin::miter);
    EXPECT_EQ(model.miterLimit(), 7);
    EXPECT_FALSE(model.dashPattern());
}

TEST(StyleItems, GradientFillReadsItsStopsAndType) {
    const std::string item = R"({"ty":"gf","o":{"k":100},"s":{"k":[0,0]},"e":{"k":[100,0]},"t":0,"g":)" +
                             sampleGradientStops + "}";
    for (const ItemPtr& decoded : {byDictionary(item), byKeyed(item)}) {
        auto fill = as<lottie::GradientFill>(decoded);
        EXPECT_EQ(fill->gradientType(), lottie::GradientType::none);
        EXPECT_EQ(fill->numberOfColors(), 2);
        ASSERT_EQ(fill->colors()->keyframes().size(), 1u);
        EXPECT_EQ(fill->colors()->keyframes().front().value(), (std::vector<double>{0, 1, 0, 0, 1, 0, 0, 1}));
        EXPECT_FALSE(fill->highlightLength());
        EXPECT_FALSE(fill->highlightAngle());
        EXPECT_EQ(fill->fillRule(), lottie::FillRule::nonZeroWinding);
        const lottie::GradientShapeItem& model = *fill;
        EXPECT_EQ(model.colors(), fill->colors());
        EXPECT_EQ(model.startPoint(), fill->startPoint());
        EXPECT_EQ(model.endPoint(), fill->endPoint());
        EXPECT_EQ(model.opacity(), fill->opacity());
        EXPECT_EQ(keysOf(encode(*fill)), (std::vector<std::string>{"nm", "ty", "hd", "o", "s", "e", "t", "r", "g"}));
        EXPECT_EQ(keysOf(*encode(*fill).find("g")), (std::vector<std::string>{"p", "k"}));
    }
}

TEST(StyleItems, GradientStrokeHasNoSolidColourAndCopiesWithWidth) {
    const std::string item = object({gradientStrokeKeys, R"("nm":"rainbow","h":{"k":5})"});
    for (const ItemPtr& decoded : {byDictionary(item), byKeyed(item)}) {
        auto stroke = as<lottie::GradientStroke>(decoded);
        EXPECT_EQ(stroke->lineCap(), LineCap::round);
        EXPECT_EQ(stroke->lineJoin(), LineJoin::round);
        EXPECT_EQ(stroke->miterLimit(), 4);
        EXPECT_EQ(staticValue(stroke->highlightLength()), 5);
        const lottie::StrokeShapeItem& strokeModel = *stroke;
        EXPECT_FALSE(strokeModel.strokeColor());
        EXPECT_EQ(strokeModel.width(), stroke->width());
        const lottie::GradientShapeItem& gradientModel = *stroke;
        EXPECT_EQ(gradientModel.numberOfColors(), 2);
        // One opacity, whichever protocol asks.
        EXPECT_EQ(strokeModel.opacity(), gradientModel.opacity());

        auto width = lottie::staticGroup(lottie::LottieVector1D(12));
        auto copy = std::dynamic_pointer_cast<const lottie::GradientStroke>(stroke->withWidth(width));
        ASSERT_TRUE(copy);
        EXPECT_EQ(copy->width(), width);
        EXPECT_EQ(staticValue(stroke->width()), 2);
        EXPECT_EQ(copy->colors(), stroke->colors());
        EXPECT_EQ(copy->highlightLength(), stroke->highlightLength());
        EXPECT_EQ(copy->name(), "rainbow");
        EXPECT_EQ(copy->type(), lottie::ShapeType::gradientStroke);
        EXPECT_EQ(keysOf(encode(*copy)), (std::vector<std::string>{"nm", "ty", "hd", "o", "s", "e", "t", "h", "w",
                                                                   "lc", "lj", "ml", "g"}));
    }
}

}  // namespace
