// Gradients on the Core Animation engine: stops read for the colour and the
// alpha layer from well-formed and malformed data, the animated colours,
// locations and points in the padded unit space, and a gradient value
// provider on the alpha layer.

#include <gtest/gtest.h>

#include "Lottie/CoreAnimation/GradientAnimation.h"
#include "Lottie/Model/ShapeItems/GradientFill.h"
#include "Lottie/Playback/LottieConfiguration.h"
#include "Lottie/Playback/ValueProviders/GradientValueProvider.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"

using namespace lottie;
using namespace coreanimationtest;
using platform::compositor::AnimatableValue;
using platform::graphics::Color;
using platform::graphics::Point;
using Kind = GradientStops::Kind;

namespace {

Color rgba(double r, double g, double b, double a) {
    return Color::fromRGBA(LottieConfiguration::sharedColorSpace(), r, g, b, a);
}

class GradientAnimationTest : public HundredFrameTest {
protected:
    // A gradient layer laid out over a 100 x 50 reference rectangle.
    std::shared_ptr<GradientRenderLayer> laidOutLayer() {
        auto layer = std::make_shared<GradientRenderLayer>();
        layer->layout({{0, 0}, {100, 50}});
        return layer;
    }
    std::optional<AnimatableValue> at(const GradientRenderLayer& layer, const char* keyPath) {
        return presentedAt(layer, keyPath, 50);
    }
};

std::shared_ptr<const GradientFill> gradient(int type, const std::string& stops, int count = 2,
                                             const std::string& start = "[0,0]", const std::string& end = "[100,50]") {
    return decodedItem<GradientFill>(
        R"({"ty":"gf","nm":"Gradient","o":{"a":0,"k":100},"r":1,"t":)" + std::to_string(type) + R"(,"s":{"a":0,"k":)" +
        start + R"(},"e":{"a":0,"k":)" + end + R"(},"g":{"p":)" + std::to_string(count) + R"(,"k":{"a":0,"k":)" + stops +
        "}}}");
}

TEST(GradientStops, StopsComeFromTheCompleteDataOnly) {
    const Color red = rgba(1, 0, 0, 1), blue = rgba(0, 0, 1, 1);
    struct Case {
        const char* name;
        std::vector<double> values;
        int count;
        Kind kind;
        std::vector<Color> colors;
        std::vector<double> locations;
    };
    const std::vector<Case> cases = {
        {"two colours", {0, 1, 0, 0, 1, 0, 0, 1}, 2, Kind::color, {red, blue}, {0, 1}},
        {"colours ignore opacity stops", {0, 1, 0, 0, 1, 0, 0, 1, 0, 1, 1, 0.5}, 2, Kind::color, {red, blue}, {0, 1}},
        {"opacity stops", {0, 1, 0, 0, 1, 0, 0, 1, 0, 1, 1, 0.5}, 2, Kind::alpha, {rgba(0, 0, 0, 1), rgba(0, 0, 0, 0.5)}, {0, 1}},
        {"no opacity stops", {0, 1, 0, 0, 1, 0, 0, 1}, 2, Kind::alpha, {}, {}},
        {"no colours", {0, 1, 0, 0}, 0, Kind::color, {}, {}},
        {"negative count", {0, 1, 0, 0, 1, 0, 0, 1}, -3, Kind::color, {}, {}},
        {"negative count has no opacity stops either", {0, 1, 0, 0, 1, 0, 0, 1}, -3, Kind::alpha, {}, {}},
        {"too few numbers", {0, 1, 0, 0, 1, 0, 0}, 2, Kind::color, {red}, {0}},
        {"too few numbers have no opacity stops", {0, 1, 0, 0, 1, 0, 0}, 2, Kind::alpha, {}, {}},
        {"odd trailing count", {0, 1, 0, 0, 1, 0, 0, 1, 0, 0.25, 1}, 2, Kind::alpha, {rgba(0, 0, 0, 0.25)}, {0}},
        {"merged stops at shared locations", {0, 1, 0, 0, 1, 0, 0, 1, 0, 1, 1, 0.5}, 2, Kind::colorWithAlpha,
         {red, rgba(1, 0, 0, 1), blue.withAlpha(0.5), rgba(0, 0, 1, 0.5)}, {0, 0, 1, 1}},
        {"merged stops sample the other ramp", {0, 1, 0, 0, 1, 0, 0, 1, 0.5, 0.2}, 2, Kind::colorWithAlpha,
         {rgba(1, 0, 0, 0.2), rgba(0.5, 0, 0.5, 0.2), rgba(0, 0, 1, 0.2)}, {0, 0.5, 1}},
        {"merged stops without opacity stops", {0, 1, 0, 0, 1, 0, 0, 1}, 2, Kind::colorWithAlpha, {red, blue}, {0, 1}},
        {"merged stops of a negative count", {0, 1, 0, 0, 1, 0, 0, 1}, -3, Kind::colorWithAlpha, {}, {}},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.name);
        const GradientStops stops = GradientStops::read(entry.values, entry.count, entry.kind);
        EXPECT_EQ(stops.colors, entry.colors);
        EXPECT_EQ(stops.locations, entry.locations);
    }
    EXPECT_FALSE(GradientStops::hasAlpha({{0, 1, 0, 0, 1, 0, 0, 1, 0, 1, 1, 1}}, 2));
    EXPECT_TRUE(GradientStops::hasAlpha({{0, 1, 0, 0, 1, 0, 0, 1}, {0, 1, 0, 0, 1, 0, 0, 1, 0, 1, 1, 0.5}}, 2));
    EXPECT_FALSE(GradientStops::hasAlpha({{0, 1, 0, 0, 1, 0, 0, 1, 0}}, 2));
    // Colours and alphas may change; a stop that moves makes merged lists that no longer line up.
    EXPECT_TRUE(GradientStops::locationsStayPut({{0, 1, 0, 0, 1, 0, 0, 1, 0, 1, 1, 0.5},
                                                 {0, 0, 1, 0, 1, 1, 1, 0, 0, 0.2, 1, 1}}, 2));
    EXPECT_FALSE(GradientStops::locationsStayPut({{0, 1, 0, 0, 1, 0, 0, 1, 0, 1, 1, 0.5},
                                                  {0, 1, 0, 0, 1, 0, 0, 1, 0.3, 1, 1, 0.5}}, 2));
    EXPECT_FALSE(GradientStops::locationsStayPut({{0, 1, 0, 0, 1, 0, 0, 1}, {0, 1, 0, 0, 0.6, 0, 0, 1}}, 2));
}

TEST_F(GradientAnimationTest, TheColourAndAlphaLayersShowTheirOwnStops) {
    const auto item = gradient(1, "[0,1,0,0,1,0,0,1,0,1,1,0.5]");
    const LayerAnimationContext context = wholeDocument();
    auto colorLayer = laidOutLayer();
    GradientAnimation::animateGradient(*colorLayer, *item, Kind::color, context);
    EXPECT_EQ(colorLayer->colors(), (std::vector<Color>{rgba(0, 0, 0, 1), rgba(0, 0, 0, 1)}));
    EXPECT_EQ(colorLayer->locations(), std::vector<double>{});
    EXPECT_EQ(at(*colorLayer, "colors"), AnimatableValue(std::vector<Color>{rgba(1, 0, 0, 1), rgba(0, 0, 1, 1)}));
    EXPECT_EQ(at(*colorLayer, "locations"), AnimatableValue(std::vector<double>{0, 1}));

    auto alphaLayer = laidOutLayer();
    GradientAnimation::animateGradient(*alphaLayer, *item, Kind::alpha, context);
    EXPECT_EQ(alphaLayer->colors()->size(), 2u);
    EXPECT_EQ(at(*alphaLayer, "colors"), AnimatableValue(std::vector<Color>{rgba(0, 0, 0, 1), rgba(0, 0, 0, 0.5)}));
}

TEST_F(GradientAnimationTest, PointsLieInThePaddedUnitSpace) {
    const LayerAnimationContext context = wholeDocument();
    const double width = 100 + 2 * GradientRenderLayer::gradientPadding, height = 50 + 2 * GradientRenderLayer::gradientPadding;
    const auto unit = [&](double x, double y) {
        return AnimatableValue(Point{(x + GradientRenderLayer::gradientPadding) / width,
                                     (y + GradientRenderLayer::gradientPadding) / height});
    };
    auto linear = laidOutLayer();
    GradientAnimation::animateGradient(*linear, *gradient(1, "[0,1,0,0,1,0,0,1]", 2, "[0,0,7]"), Kind::color, context);
    EXPECT_EQ(linear->type(), platform::compositor::GradientLayer::Type::axial);
    EXPECT_EQ(at(*linear, "startPoint"), unit(0, 0));
    EXPECT_EQ(at(*linear, "endPoint"), unit(100, 50));

    for (const char* end : {"[80,90]", "[20,10]"}) {
        auto radial = laidOutLayer();
        GradientAnimation::animateGradient(*radial, *gradient(2, "[0,1,0,0,1,0,0,1]", 2, "[50,50]", end), Kind::color,
                                           context);
        EXPECT_EQ(radial->type(), platform::compositor::GradientLayer::Type::radial);
        EXPECT_EQ(at(*radial, "startPoint"), unit(50, 50)) << end;
        EXPECT_EQ(at(*radial, "endPoint"), unit(100, 100)) << end;
    }

    auto none = laidOutLayer();
    GradientAnimation::animateGradient(*none, *gradient(0, "[0,1,0,0,1,0,0,1]"), Kind::color, context);
    EXPECT_FALSE(none->animation("startPoint"));
    EXPECT_TRUE(none->animation("colors"));
}

TEST_F(GradientAnimationTest, AProviderOnTheAlphaLayerKeepsItsTransparency) {
    LayerAnimationContext context = wholeDocument();
    context.valueProviderStore->installValueProvider(
        std::make_shared<GradientValueProvider>(std::vector<LottieColor>{LottieColor(1, 0, 0, 0.25), LottieColor(0, 1, 0, 1)},
                                                std::vector<double>{0.2, 0.8}),
        AnimationKeypath("**.Colors"));
    auto alphaLayer = laidOutLayer();
    GradientAnimation::animateGradient(*alphaLayer, *gradient(1, "[0,1,0,0,1,0,0,1,0,1,1,0.5]"), Kind::alpha,
                                       context.addingKeypathComponent("Gradient"));
    const auto colors = at(*alphaLayer, "colors");
    ASSERT_TRUE(colors && colors->get<std::vector<Color>>());
    const auto& shown = *colors->get<std::vector<Color>>();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_DOUBLE_EQ(shown[0].alpha(), 0.25);
    EXPECT_DOUBLE_EQ(shown[1].alpha(), 1);
    EXPECT_EQ(at(*alphaLayer, "locations"), AnimatableValue(std::vector<double>{0.2, 0.8}));
}

}  // namespace
