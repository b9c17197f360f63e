// Fill and stroke paint on the Core Animation engine: the static rules, joins,
// caps and dash patterns, the animated colours, widths and dash phase, and the
// dash elements the compositor cannot animate.

#include <gtest/gtest.h>

#include "Lottie/CoreAnimation/ProviderValueConversions.h"
#include "Lottie/CoreAnimation/ShapePaintAnimation.h"
#include "Lottie/Model/ShapeItems/GradientStroke.h"
#include "Lottie/Model/ShapeItems/Stroke.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"

using namespace lottie;
using namespace coreanimationtest;
using platform::compositor::AnimatableValue;
using platform::compositor::ShapeLayer;

namespace {

class ShapePaintAnimationTest : public HundredFrameTest {
protected:
    LayerAnimationContext context(CompatibilityTracker::Mode mode = CompatibilityTracker::Mode::track) {
        return wholeDocument(1, mode);
    }
    double numberAt(const ShapeLayer& layer, const char* keyPath, double frame) {
        const auto value = presentedAt(layer, keyPath, frame);
        return value ? value->number().value_or(-1) : -1;
    }
};

std::string stroke(const std::string& dashes, int cap = 1, int join = 1,
                   const std::string& width = R"({"a":0,"k":2})") {
    return R"({"ty":"st","nm":"Stroke","c":{"a":0,"k":[1,0,0,1]},"o":{"a":0,"k":100},"w":)" + width +
           R"(,"lc":)" + std::to_string(cap) + R"(,"lj":)" + std::to_string(join) + R"(,"ml":7)" + dashes + "}";
}

std::string dash(const char* type, const std::string& value) {
    return R"({"n":")" + std::string(type) + R"(","nm":"x","v":)" + value + "}";
}

const std::string ramp0to15 = R"({"a":1,"k":[{"t":0,"s":[0],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},{"t":100,"s":[15]}]})";
const std::string ramp10to20 = R"({"a":1,"k":[{"t":0,"s":[10],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},{"t":100,"s":[20]}]})";

std::string staticValue(double value) { return R"({"a":0,"k":)" + std::to_string(value) + "}"; }

TEST_F(ShapePaintAnimationTest, FillRulesJoinsAndCapsAreSetOnce) {
    for (const auto& [rule, expected] : std::vector<std::pair<int, platform::graphics::FillRule>>{
             {1, platform::graphics::FillRule::winding}, {2, platform::graphics::FillRule::evenOdd}}) {
        auto layer = ShapeLayer::make();
        const auto fill = decodedItem<Fill>(R"({"ty":"fl","c":{"a":0,"k":[0,0,1,1]},"o":{"a":0,"k":100},"r":)" +
                                            std::to_string(rule) + "}");
        ShapePaintAnimation::animateFill(*layer, *fill, context());
        EXPECT_EQ(layer->fillRule(), expected) << rule;
        // The layer's own black is no default, so the colour arrives as an animation.
        EXPECT_EQ(presentedAt(*layer, "fillColor", 50),
                  AnimatableValue(ProviderValueConversions::colorOf(LottieColor(0, 0, 1, 1))));
    }
    struct Case {
        int cap, join;
        platform::graphics::LineCap expectedCap;
        platform::graphics::LineJoin expectedJoin;
    };
    using platform::graphics::LineCap, platform::graphics::LineJoin;
    for (const Case& entry : std::vector<Case>{{1, 1, LineCap::butt, LineJoin::miter},
                                               {2, 2, LineCap::round, LineJoin::round},
                                               {3, 3, LineCap::square, LineJoin::bevel}}) {
        auto layer = ShapeLayer::make();
        ShapePaintAnimation::animateStroke(*layer, *decodedItem<Stroke>(stroke("", entry.cap, entry.join)), context());
        EXPECT_EQ(layer->lineCap(), entry.expectedCap);
        EXPECT_EQ(layer->lineJoin(), entry.expectedJoin);
        EXPECT_EQ(layer->miterLimit(), 7);
        EXPECT_EQ(layer->lineWidth(), 2);
        EXPECT_EQ(presentedAt(*layer, "strokeColor", 50),
                  AnimatableValue(ProviderValueConversions::colorOf(LottieColor(1, 0, 0, 1))));
        EXPECT_TRUE(layer->lineDashPattern().empty());
        EXPECT_FALSE(layer->animation("lineDashPhase"));
    }
}

TEST_F(ShapePaintAnimationTest, DashPatternsAndPhases) {
    struct Case {
        const char* name;
        std::string dashes;
        std::vector<double> pattern;
        std::size_t issues;
        bool phase;
    };
    const std::vector<Case> cases = {
        {"static pattern, animated phase",
         dash("d", staticValue(10)) + "," + dash("g", staticValue(5)) + "," + dash("o", ramp0to15), {10, 5}, 0, true},
        {"zero dash and gap stay solid", dash("d", staticValue(0)) + "," + dash("g", staticValue(0)), {}, 0, false},
        {"zero dash drawn as a dot", dash("d", staticValue(0)) + "," + dash("g", staticValue(4)), {0.01, 4}, 0, false},
        {"animated dash uses its first value", dash("d", ramp10to20) + "," + dash("g", staticValue(5)), {10, 5}, 1, false},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.name);
        const LayerAnimationContext tracked = context();
        auto layer = ShapeLayer::make();
        ShapePaintAnimation::animateStroke(*layer, *decodedItem<Stroke>(stroke(R"(,"d":[)" + entry.dashes + "]")),
                                           tracked);
        EXPECT_EQ(layer->lineDashPattern(), entry.pattern);
        EXPECT_EQ(tracked.tracker->issues().size(), entry.issues);
        EXPECT_EQ(layer->animation("lineDashPhase") != nullptr, entry.phase);
        if (entry.phase) {
            EXPECT_NEAR(numberAt(*layer, "lineDashPhase", 0), 0, 1e-6);
            EXPECT_NEAR(numberAt(*layer, "lineDashPhase", 50), 7.5, 1e-6);
            EXPECT_NEAR(numberAt(*layer, "lineDashPhase", 100), 15, 1e-6);
        }
    }
    auto layer = ShapeLayer::make();
    const auto animatedDash =
        decodedItem<Stroke>(stroke(R"(,"d":[)" + dash("d", ramp10to20) + "," + dash("o", ramp0to15) + "]"));
    EXPECT_THROW(ShapePaintAnimation::animateStroke(*layer, *animatedDash, context(CompatibilityTracker::Mode::abort)),
                 CompatibilityTracker::Error);
    EXPECT_TRUE(layer->lineDashPattern().empty());
    EXPECT_FALSE(layer->animation("lineDashPhase"));
}

TEST_F(ShapePaintAnimationTest, WidthsAnimateUnlessTheyStayAtTheDefault) {
    auto thin = ShapeLayer::make();
    ShapePaintAnimation::animateStroke(*thin, *decodedItem<Stroke>(stroke("", 1, 1, R"({"a":0,"k":1})")), context());
    EXPECT_FALSE(thin->animation("lineWidth"));
    EXPECT_EQ(thin->lineWidth(), 1);

    auto growing = ShapeLayer::make();
    ShapePaintAnimation::animateStroke(*growing, *decodedItem<Stroke>(stroke("", 1, 1, ramp10to20)), context());
    EXPECT_NEAR(numberAt(*growing, "lineWidth", 50), 15, 1e-6);
}

TEST_F(ShapePaintAnimationTest, AGradientStrokeHasNoStrokeColour) {
    auto layer = ShapeLayer::make();
    layer->setStrokeColor(std::nullopt);
    ShapePaintAnimation::animateStroke(
        *layer,
        *decodedItem<GradientStroke>(R"({"ty":"gs","o":{"a":0,"k":50},"w":{"a":0,"k":3},"lc":2,"lj":2,"ml":4,"t":1,)"
                              R"("s":{"a":0,"k":[0,0]},"e":{"a":0,"k":[10,0]},"g":{"p":2,"k":{"a":0,"k":[0,1,0,0,1,0,0,1]}}})"),
        context());
    EXPECT_FALSE(layer->strokeColor());
    EXPECT_FALSE(layer->animation("strokeColor"));
    EXPECT_EQ(layer->lineWidth(), 3);
    EXPECT_EQ(layer->lineCap(), platform::graphics::LineCap::round);
    EXPECT_EQ(layer->opacity(), 0.5);
}

}  // namespace
