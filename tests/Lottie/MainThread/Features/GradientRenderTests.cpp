// Gradient fills and strokes, linear and radial, with and without opacity
// stops, checked in pixels against the ramps the documents describe; and the
// malformed inputs that must neither read out of range nor break the layers.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

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
