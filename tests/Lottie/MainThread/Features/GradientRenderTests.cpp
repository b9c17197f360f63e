// Gradient fills and strokes, linear and radial, with and without opacity
// stops, checked in pixels against the ramps the documents describe; and the
// malformed inputs that must neither read out of range nor break the layers.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "Platform/Compositor/Renderer.h"

#include "tests/Lottie/MainThread/Features/FeatureDocuments.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"

namespace {

using namespace mainthreadtest;
using namespace featuretest;

// A 100 x 100 square filled with the gradient.
std::string filledSquare(const std::string& gradient) {
    return shapeDocument(rect(50, 50, 100, 100) + "," + gradient);
}

// Each document drawn, checked at points whose colour the gradient's stops and
// geometry fix: linear ramps run along their axis only, radial ones are
// circular round their start point and extend their last stop past the
// radius, type 0 is radial, fill rules clip as for solid fills, and stop lists
// shorter than their count announces keep their whole stops.
TEST(GradientRender, DrawsTheRampsTheStopsDescribe) {
    // Red at 0 to blue at 1, opaque at 0 to transparent at 1.
    const std::string redToBlueFading = "0,1,0,0, 1,0,0,1, 0,1, 1,0";
    const std::string threeColours = "0,1,0,0, 0.5,0,1,0, 1,0,0,1";
    // Two nested squares in red: even-odd leaves the inner one empty.
    const std::string nested = closedPath("[[10,10],[90,10],[90,90],[10,90]]") + "," +
                               closedPath("[[30,30],[70,30],[70,70],[30,70]]") + ",";
    const std::string red = "0,1,0,0, 1,1,0,0";
    std::string dashed = gradientStroke(2, 50, 50, 100, 50, 2, "0,0,0,1, 1,0,0,1", 6);
    dashed.insert(dashed.size() - 1, R"(,"d":[{"n":"d","nm":"dash","v":{"a":0,"k":10}},)"
                                     R"({"n":"g","nm":"gap","v":{"a":0,"k":10}}])");
    const std::vector<Probe> redToBlue{{0, 50, {255, 0, 0, 255}, 8}, {99, 50, {0, 0, 255, 255}, 8}};
    struct Case {
        const char* name;
        std::string json;
        std::vector<Probe> probes;
    };
    const std::vector<Case> cases{
        {"linear with opacity stops", filledSquare(gradientFill(1, 0, 0, 100, 0, 2, redToBlueFading)),
         {{10, 5, {229, 0, 26, 229}, 8}, {10, 95, {229, 0, 26, 229}, 8}, {90, 50, {25, 0, 230, 25}, 8}}},
        {"radial", filledSquare(gradientFill(2, 50, 50, 90, 50, 2, redToBlueFading)),
         {{50, 50, {255, 0, 0, 255}, 10}, {70, 50, {128, 0, 128, 128}, 12}, {50, 30, {128, 0, 128, 128}, 12},
          {95, 50, clear, 2}}},
        {"linear without opacity stops", filledSquare(gradientFill(1, 0, 0, 100, 0, 3, threeColours)),
         {{0, 50, {255, 0, 0, 255}, 8}, {50, 50, {0, 255, 0, 255}, 8}, {99, 50, {0, 0, 255, 255}, 8}}},
        // The radius is the whole distance to the end point, 50 here, not its
        // horizontal part: halfway out on either axis is half red, half blue.
        {"radial to a diagonal end point", filledSquare(gradientFill(2, 50, 50, 80, 90, 2, "0,1,0,0, 1,0,0,1")),
         {{25, 50, {128, 0, 128, 255}, 12}, {50, 25, {128, 0, 128, 255}, 12}, {86, 50, {69, 0, 186, 255}, 12}}},
        {"type 0 is radial", filledSquare(gradientFill(0, 50, 50, 90, 50, 3, threeColours)),
         {{50, 50, {255, 0, 0, 255}, 12}, {50, 30, {0, 255, 0, 255}, 12}, {50, 5, {0, 0, 255, 255}, 8}}},
        {"even-odd fill rule", shapeDocument(nested + gradientFill(1, 0, 0, 100, 0, 2, red, 2)),
         {{5, 5, clear, 3}, {20, 50, {255, 0, 0, 255}, 3}, {50, 50, clear, 3}}},
        {"dashed radial stroke", shapeDocument(openPath("[[0,50],[100,50]]") + "," + dashed),
         {{5, 50, {0, 0, 255, 255}, 8}, {15, 50, clear, 3}, {45, 50, {0, 0, 255, 255}, 8}}},
        {"an opacity stop cut short",
         filledSquare(gradientFill(1, 0, 0, 100, 0, 2, "0,1,0,0, 1,0,0,1, 0,1, 1")), redToBlue},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto image = renderDocument(test.json);
        ASSERT_TRUE(image);
        expectProbes(*image, test.probes);
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
        const int alpha = static_cast<int>(std::lround((1 - (x + 0.5) / 100) * 255));
        EXPECT_TRUE(pixelIs(*image, x, 50, {255, 0, 0, alpha}, 8)) << pixelAt(*image, x, 50).a;
    }
    // Only the stroke is painted.
    EXPECT_TRUE(pixelIs(*image, 50, 60, clear));
    EXPECT_TRUE(pixelIs(*image, 10, 50, clear));
}

// Colour stops and opacity stops at locations of their own, opacity stops
// that jump or come unsorted: at every probe the colour ramp shows with the
// opacity ramp as its alpha, as the document's stops give them.
TEST(GradientRender, OpacityStopsApartFromColourStopsScaleTheColourRamp) {
    struct Case {
        const char* name;
        std::string json;
        std::vector<Probe> probes;
    };
    const std::vector<Case> cases{
        {"linear, stops apart",
         filledSquare(gradientFill(1, 0, 0, 100, 0, 3, "0,1,0,0, 0.3,0,1,0, 1,0,0,1, 0,1, 0.6,0.2, 1,0.8")),
         {{14, 50, {132, 123, 0, 206}, 3},
          {45, 20, {0, 199, 56, 100}, 3},
          {59, 80, {0, 148, 107, 53}, 5},
          {80, 50, {0, 71, 184, 129}, 3},
          {97, 50, {0, 9, 246, 194}, 3}}},
        {"radial, opacity jumping half way",
         filledSquare(gradientFill(2, 50, 50, 90, 50, 2, "0,1,0,0, 1,0,0,1, 0,1, 0.5,1, 0.5,0, 1,0.5")),
         {{50, 50, {250, 0, 5, 255}, 3},
          {60, 50, {188, 0, 67, 255}, 3},
          {50, 72, {112, 0, 143, 16}, 12},
          {85, 50, {29, 0, 226, 99}, 3},
          {97, 97, {0, 0, 255, 128}, 3}}},
        {"linear, opacity stops unsorted",
         filledSquare(gradientFill(1, 0, 0, 100, 0, 2, "0,1,0,0, 1,0,0,1, 0.8,0, 0.2,1")),
         {{10, 50, {228, 0, 27, 255}, 3}, {40, 50, {152, 0, 103, 168}, 3}, {60, 50, {101, 0, 154, 83}, 3},
          {90, 50, clear, 1}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto image = renderDocument(test.json);
        ASSERT_TRUE(image);
        expectProbes(*image, test.probes);
    }
}

// The document drawn `scale` times larger than its 100 x 100 points.
std::shared_ptr<const platform::graphics::Image> renderScaled(const std::string& json, double scale) {
    auto root = makeRoot(decode(json));
    root->setCurrentFrame(0);
    const int size = static_cast<int>(100 * scale);
    return platform::compositor::Renderer::renderImage(root, 0, size, size, scale);
}

// The largest difference of any channel between two pixels.
int step(const Rgba& a, const Rgba& b) {
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b), std::abs(a.a - b.a)});
}

// Drawn four times larger, gradients are drawn at the device's resolution: a
// ramp climbs by a small step from one device pixel to the next, a hard stop
// jumps between two neighbouring pixels, and a gradient stroke's edge is as
// sharp as a solid one's, where a picture of the gradient made at one pixel
// per point and then enlarged smears both over several pixels.
TEST(GradientRender, ScaledUpGradientsAreDrawnAtTheDeviceResolution) {
    // Red to green, then blue to white, from x = 10 to 90; the stop at x = 50
    // falls between device pixels 199 and 200.
    const std::string stops = "0,1,0,0, 0.5,0,1,0, 0.5,0,0,1, 1,1,1,1";
    const auto filled =
        renderScaled(shapeDocument(rect(50, 50, 80, 80) + "," + gradientFill(1, 10, 0, 90, 0, 4, stops)), 4);
    ASSERT_TRUE(filled);
    std::vector<int> jumps;
    for (int x = 44; x < 356; ++x) {
        if (step(pixelAt(*filled, x, 200), pixelAt(*filled, x + 1, 200)) > 3) jumps.push_back(x);
    }
    EXPECT_EQ(jumps, std::vector<int>{199});
    EXPECT_TRUE(pixelIs(*filled, 199, 200, {0, 255, 0, 255}, 3));
    EXPECT_TRUE(pixelIs(*filled, 200, 200, {0, 0, 255, 255}, 3));

    // A vertical stroke ten points wide round x = 50.3: its left edge at
    // device x = 181.2 covers pixel 181 by four fifths.
    const auto stroked = renderScaled(
        shapeDocument(openPath("[[50.3,10],[50.3,90]]") + "," + gradientStroke(1, 0, 0, 0, 100, 4, stops, 10)), 4);
    ASSERT_TRUE(stroked);
    EXPECT_EQ(pixelAt(*stroked, 180, 200).a, 0);
    EXPECT_NEAR(pixelAt(*stroked, 181, 200).a, 204, 3);
    EXPECT_EQ(pixelAt(*stroked, 182, 200).a, 255);
}

// A path without width or height must not spoil the other groups of its layer
// with the non-finite geometry its gradient would otherwise get.
TEST(GradientRender, PathWithoutAreaSpoilsNothingElse) {
    const std::string items = group(openPath("[[50,10],[50,90]]") + "," +
                                    gradientFill(1, 0, 0, 100, 0, 2, "0,0,1,0, 1,0,1,0")) +
                              "," + group(rect(20, 20, 20, 20) + "," + fill(1, 0, 0));
    const auto image = renderDocument(shapeDocument(items));
    ASSERT_TRUE(image);
    expectProbes(*image, {{20, 20, red}, {50, 50, clear}});
}

}  // namespace
