// Gradient fills and strokes, linear and radial, with and without opacity
// stops, checked in pixels against the ramps the documents describe; and the
// malformed inputs that must neither read out of range nor break the layers.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "Lottie/MainThread/CompositionLayers/ShapeCompositionLayer.h"
#include "Lottie/MainThread/LayerContainers/ShapeRenderLayer.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/GradientFillRenderer.h"
#include "tests/Lottie/MainThread/Features/FeatureDocuments.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"

namespace {

using namespace mainthreadtest;
using namespace featuretest;

// Red at 0 to blue at 1, opaque at 0 to transparent at 1.
const std::string redToBlueFading = "0,1,0,0, 1,0,0,1, 0,1, 1,0";

int channel(double fraction) { return static_cast<int>(std::lround(fraction * 255)); }

TEST(GradientRender, LinearFillFollowsColourAndOpacityStops) {
    const auto image = renderDocument(shapeDocument(rect(50, 50, 100, 100) + "," +
                                                    gradientFill(1, 0, 0, 100, 0, 2, redToBlueFading)));
    ASSERT_TRUE(image);
    for (int x : {10, 30, 50, 70, 90}) {
        SCOPED_TRACE(x);
        const double t = (x + 0.5) / 100;
        // The ramp runs along x only.
        for (int y : {5, 50, 95}) {
            EXPECT_TRUE(pixelIs(*image, x, y, {channel(1 - t), 0, channel(t), channel(1 - t)}, 8))
                << pixelAt(*image, x, y).r << "," << pixelAt(*image, x, y).b << "," << pixelAt(*image, x, y).a;
        }
    }
}

TEST(GradientRender, RadialFillIsCircularAroundTheStartPoint) {
    const auto image = renderDocument(shapeDocument(rect(50, 50, 100, 100) + "," +
                                                    gradientFill(2, 50, 50, 90, 50, 2, redToBlueFading)));
    ASSERT_TRUE(image);
    EXPECT_TRUE(pixelIs(*image, 50, 50, {255, 0, 0, 255}, 10));
    // Half the radius in four directions: the middle of both ramps.
    for (auto [x, y] : {std::pair{70, 50}, {30, 50}, {50, 70}, {50, 30}}) {
        SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
        EXPECT_TRUE(pixelIs(*image, x, y, {128, 0, 128, 128}, 12));
    }
    // Past the radius the last stop extends: transparent.
    EXPECT_TRUE(pixelIs(*image, 5, 5, {0, 0, 0, 0}, 2));
    EXPECT_TRUE(pixelIs(*image, 95, 50, {0, 0, 0, 0}, 2));
}

TEST(GradientRender, GradientWithoutOpacityStopsIsOpaqueAndNoneTypeIsRadial) {
    const std::string stops = "0,1,0,0, 0.5,0,1,0, 1,0,0,1";
    const auto linear = renderDocument(shapeDocument(rect(50, 50, 100, 100) + "," +
                                                     gradientFill(1, 0, 0, 100, 0, 3, stops)));
    ASSERT_TRUE(linear);
    EXPECT_TRUE(pixelIs(*linear, 0, 50, {255, 0, 0, 255}, 8));
    EXPECT_TRUE(pixelIs(*linear, 50, 50, {0, 255, 0, 255}, 8));
    EXPECT_TRUE(pixelIs(*linear, 99, 50, {0, 0, 255, 255}, 8));
    const auto none = renderDocument(shapeDocument(rect(50, 50, 100, 100) + "," +
                                                   gradientFill(0, 50, 50, 90, 50, 3, stops)));
    ASSERT_TRUE(none);
    EXPECT_TRUE(pixelIs(*none, 50, 50, {255, 0, 0, 255}, 12));
    EXPECT_TRUE(pixelIs(*none, 50, 30, {0, 255, 0, 255}, 12));
    EXPECT_TRUE(pixelIs(*none, 50, 5, {0, 0, 255, 255}, 8));
}

TEST(GradientRender, FillIsClippedToItsPathAndFillRule) {
    // Two nested squares: even-odd leaves the inner one empty, non-zero fills it.
    const std::string nested = closedPath("[[10,10],[90,10],[90,90],[10,90]]") + "," +
                               closedPath("[[30,30],[70,30],[70,70],[30,70]]");
    for (int rule : {1, 2}) {
        SCOPED_TRACE(rule);
        const auto image = renderDocument(shapeDocument(nested + "," + gradientFill(1, 0, 0, 100, 0, 2,
                                                                                    "0,1,0,0, 1,1,0,0", rule)));
        ASSERT_TRUE(image);
        EXPECT_TRUE(pixelIs(*image, 5, 5, {0, 0, 0, 0}));
        EXPECT_TRUE(pixelIs(*image, 20, 50, {255, 0, 0, 255}));
        EXPECT_TRUE(pixelIs(*image, 50, 50, rule == 2 ? Rgba{0, 0, 0, 0} : Rgba{255, 0, 0, 255}));
    }
}

// The opacity ramp belongs to the drawing space, not to the stroke's outline:
// the stroke clips before the ramp is applied, and the ramp must stay where
// the gradient's points put it.
TEST(GradientRender, StrokeOpacityRampStaysAlignedUnderTheStrokeClip) {
    const auto image = renderDocument(shapeDocument(openPath("[[20,50],[80,50]]") + "," +
                                                    gradientStroke(1, 0, 0, 100, 0, 2, "0,1,0,0, 1,1,0,0, 0,1, 1,0",
                                                                   10)));
    ASSERT_TRUE(image);
    for (int x : {25, 40, 60, 75}) {
        SCOPED_TRACE(x);
        const double t = (x + 0.5) / 100;
        EXPECT_TRUE(pixelIs(*image, x, 50, {255, 0, 0, channel(1 - t)}, 8)) << pixelAt(*image, x, 50).a;
    }
    // Only the stroke is painted.
    EXPECT_TRUE(pixelIs(*image, 50, 60, {0, 0, 0, 0}));
    EXPECT_TRUE(pixelIs(*image, 10, 50, {0, 0, 0, 0}));
}

TEST(GradientRender, StrokeWithRadialGradientAndDashes) {
    std::string dashed = gradientStroke(2, 50, 50, 100, 50, 2, "0,0,0,1, 1,0,0,1", 6);
    dashed.insert(dashed.size() - 1,
                  R"(,"d":[{"n":"d","nm":"dash","v":{"a":0,"k":10}},{"n":"g","nm":"gap","v":{"a":0,"k":10}}])");
    const auto image = renderDocument(shapeDocument(openPath("[[0,50],[100,50]]") + "," + dashed));
    ASSERT_TRUE(image);
    EXPECT_TRUE(pixelIs(*image, 5, 50, {0, 0, 255, 255}, 8));
    EXPECT_TRUE(pixelIs(*image, 15, 50, {0, 0, 0, 0}));
    EXPECT_TRUE(pixelIs(*image, 45, 50, {0, 0, 255, 255}, 8));
}

// Stop lists shorter than their count announces keep their whole stops.
TEST(GradientRender, TruncatedStopListsAreReadOnlyWhereComplete) {
    struct Case {
        const char* name;
        int colorCount;
        std::string stops;
    };
    const Case cases[] = {
        {"a colour stop cut short", 3, "0,1,0,0, 1,0,0,1, 0.5,1"},
        {"more colour stops announced than present", 9, "0,1,0,0, 1,0,0,1"},
        {"an opacity stop cut short", 2, "0,1,0,0, 1,0,0,1, 0,1, 1"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto image = renderDocument(shapeDocument(rect(50, 50, 100, 100) + "," +
                                                        gradientFill(1, 0, 0, 100, 0, test.colorCount, test.stops)));
        ASSERT_TRUE(image);
        EXPECT_TRUE(pixelIs(*image, 0, 50, {255, 0, 0, 255}, 8));
        EXPECT_TRUE(pixelIs(*image, 99, 50, {0, 0, 255, 255}, 8));
    }
}

// A path without width or height gives its gradient layers finite geometry
// and spoils nothing else on the layer.
TEST(GradientRender, PathWithoutAreaKeepsTheGradientLayerFinite) {
    const std::string items = group(openPath("[[50,10],[50,90]]") + "," +
                                    gradientFill(1, 0, 0, 100, 0, 2, "0,0,1,0, 1,0,1,0")) +
                              "," + group(rect(20, 20, 20, 20) + "," + fill(1, 0, 0));
    auto root = makeRoot(decode(shapeDocument(items)));
    const auto image = renderFrame(*root, 0);
    ASSERT_TRUE(image);
    EXPECT_TRUE(pixelIs(*image, 20, 20, {255, 0, 0, 255}));
    EXPECT_TRUE(pixelIs(*image, 50, 50, {0, 0, 0, 0}));

    auto shapeLayer = std::dynamic_pointer_cast<lottie::ShapeCompositionLayer>(root->animationLayers().at(0));
    ASSERT_TRUE(shapeLayer);
    int gradientLayers = 0;
    std::vector<std::shared_ptr<lottie::ShapeContainerLayer>> pending{shapeLayer->renderContainer()};
    while (!pending.empty()) {
        auto container = pending.back();
        pending.pop_back();
        for (const auto& child : container->renderLayers()) pending.push_back(child);
        auto renderLayer = std::dynamic_pointer_cast<lottie::ShapeRenderLayer>(container);
        if (!renderLayer) continue;
        auto renderer = std::dynamic_pointer_cast<lottie::GradientFillRenderer>(renderLayer->renderer());
        if (!renderer) continue;
        ++gradientLayers;
        for (const platform::compositor::Layer* layer :
             {static_cast<const platform::compositor::Layer*>(renderer->gradientLayer().get()),
              static_cast<const platform::compositor::Layer*>(renderer->maskLayer().get())}) {
            EXPECT_TRUE(std::isfinite(layer->anchorPoint().x) && std::isfinite(layer->anchorPoint().y));
            EXPECT_TRUE(std::isfinite(layer->position().x) && std::isfinite(layer->position().y));
            EXPECT_DOUBLE_EQ(layer->bounds().size.width, 0);
        }
    }
    EXPECT_EQ(gradientLayers, 1);
}

}  // namespace
