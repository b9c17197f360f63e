// The colour and opacity stops of a gradient merged into one list of stops
// with alpha: where the merged stops lie, and that the merged ramp is the
// colour ramp times the opacity ramp everywhere, jumps and padding included.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "Lottie/MainThread/NodeRenderSystem/Renderers/GradientStopMerge.h"

namespace {

using lottie::GradientStopMerge;
using Stop = platform::graphics::Gradient::Stop;
using RGBA = std::array<double, 4>;

Stop color(double location, double r, double g, double b) { return {location, {r, g, b, 1}}; }
Stop opacity(double location, double alpha) { return {location, {0, 0, 0, alpha}}; }

RGBA between(const Stop& low, const Stop& high, double location) {
    const double t = (location - low.location) / (high.location - low.location);
    RGBA value;
    for (std::size_t channel = 0; channel < 4; ++channel) {
        value[channel] = low.rgba[channel] + (high.rgba[channel] - low.rgba[channel]) * t;
    }
    return value;
}

// A padded ramp's value as a drawing sees it coming towards a location from
// below (the segment ending there) or going on from it (the segment starting there).
RGBA valueAt(const std::vector<Stop>& stops, double location, bool fromBelow) {
    for (std::size_t index = 0; index < stops.size(); ++index) {
        const bool reached = fromBelow ? stops[index].location >= location : stops[index].location > location;
        if (!reached) continue;
        return index == 0 ? stops.front().rgba : between(stops[index - 1], stops[index], location);
    }
    return stops.back().rgba;
}

void expectStops(const std::vector<Stop>& actual, const std::vector<Stop>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t index = 0; index < actual.size(); ++index) {
        SCOPED_TRACE(index);
        EXPECT_NEAR(actual[index].location, expected[index].location, 1e-12);
        for (std::size_t channel = 0; channel < 4; ++channel) {
            EXPECT_NEAR(actual[index].rgba[channel], expected[index].rgba[channel], 1e-12) << "channel " << channel;
        }
    }
}

TEST(GradientStopMerge, PlacesStopsWhereEitherListHasOne) {
    struct Case {
        const char* name;
        std::vector<Stop> colors;
        std::vector<Stop> opacities;
        std::vector<Stop> merged;
    };
    const std::vector<Case> cases{
        {"an opacity stop between two colours",
         {color(0, 1, 0, 0), color(1, 0, 0, 1)},
         {opacity(0.5, 0.5)},
         {{0, {1, 0, 0, 0.5}}, {0.5, {0.5, 0, 0.5, 0.5}}, {1, {0, 0, 1, 0.5}}}},
        {"each list interpolated at the other's locations",
         {color(0, 1, 0, 0), color(0.25, 0, 1, 0), color(1, 0, 0, 1)},
         {opacity(0, 1), opacity(0.5, 0), opacity(1, 1)},
         {{0, {1, 0, 0, 1}}, {0.25, {0, 1, 0, 0.5}}, {0.5, {0, 2.0 / 3, 1.0 / 3, 0}}, {1, {0, 0, 1, 1}}}},
        {"a colour jump makes two stops",
         {color(0, 1, 0, 0), color(0.5, 1, 0, 0), color(0.5, 0, 0, 1), color(1, 0, 0, 1)},
         {opacity(0, 0), opacity(1, 1)},
         {{0, {1, 0, 0, 0}}, {0.5, {1, 0, 0, 0.5}}, {0.5, {0, 0, 1, 0.5}}, {1, {0, 0, 1, 1}}}},
        {"an opacity jump of three stops keeps its first and last",
         {color(0, 1, 0, 0), color(1, 1, 0, 0)},
         {opacity(0.4, 1), opacity(0.4, 0.2), opacity(0.4, 0)},
         {{0, {1, 0, 0, 1}}, {0.4, {1, 0, 0, 1}}, {0.4, {1, 0, 0, 0}}, {1, {1, 0, 0, 0}}}},
        {"lists apart hold their end stops",
         {color(0.2, 1, 0, 0), color(0.4, 0, 0, 1)},
         {opacity(0.6, 1), opacity(0.8, 0)},
         {{0.2, {1, 0, 0, 1}}, {0.4, {0, 0, 1, 1}}, {0.6, {0, 0, 1, 1}}, {0.8, {0, 0, 1, 0}}}},
        {"no colour", {}, {opacity(0, 0.5)}, {}},
        {"no opacity", {color(0, 1, 0, 0)}, {}, {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        expectStops(GradientStopMerge::merge(test.colors, test.opacities), test.merged);
    }
}

TEST(GradientStopMerge, StopByStopKeepsOneStopForEachStopInLocationOrder) {
    const std::vector<Stop> merged = GradientStopMerge::mergeStopByStop(
        std::vector<Stop>{color(0, 1, 0, 0), color(0.5, 1, 0, 0), color(0.5, 0, 0, 1), color(1, 0, 0, 1)},
        std::vector<Stop>{opacity(0.25, 1), opacity(0.5, 0.4), opacity(0.5, 0)});
    expectStops(merged, {{0, {1, 0, 0, 1}},
                         {0.25, {1, 0, 0, 1}},
                         {0.5, {1, 0, 0, 0.4}},
                         {0.5, {0, 0, 1, 0.4}},
                         {0.5, {0, 0, 1, 0.4}},
                         {0.5, {0, 0, 1, 0}},
                         {1, {0, 0, 1, 0}}});
    EXPECT_TRUE(GradientStopMerge::mergeStopByStop(std::vector<Stop>{}, std::vector<Stop>{opacity(0, 1)}).empty());
    EXPECT_TRUE(GradientStopMerge::mergeStopByStop(std::vector<Stop>{color(0, 1, 0, 0)}, std::vector<Stop>{}).empty());
}

// Swept across and past the ramps, and on both sides of every stop, the merged
// ramp shows the colour ramp with the opacity ramp as its alpha, in either form.
TEST(GradientStopMerge, MergedRampIsTheColourRampTimesTheOpacityRamp) {
    const std::vector<Stop> colors{color(0.1, 1, 0, 0), color(0.3, 0.2, 0.9, 0), color(0.3, 0, 0, 1),
                                   color(0.65, 0.5, 0.5, 0.5), color(0.9, 0, 1, 1)};
    const std::vector<Stop> opacities{opacity(0, 0.2), opacity(0.3, 1), opacity(0.5, 0.6), opacity(0.5, 0.1),
                                      opacity(0.7, 0.9), opacity(0.95, 0.4)};
    std::vector<double> locations;
    for (int step = -10; step <= 110; ++step) locations.push_back(step / 100.0 + 0.003);
    for (const auto* list : {&colors, &opacities}) {
        for (const Stop& stop : *list) locations.push_back(stop.location);
    }
    for (const bool stopByStop : {false, true}) {
        SCOPED_TRACE(stopByStop ? "stop by stop" : "merged");
        const std::vector<Stop> merged = stopByStop ? GradientStopMerge::mergeStopByStop(colors, opacities)
                                                    : GradientStopMerge::merge(colors, opacities);
        for (const double location : locations) {
            for (const bool fromBelow : {true, false}) {
                SCOPED_TRACE(::testing::Message() << location << (fromBelow ? " from below" : " from above"));
                const RGBA colour = valueAt(colors, location, fromBelow);
                const RGBA alpha = valueAt(opacities, location, fromBelow);
                const RGBA actual = valueAt(merged, location, fromBelow);
                for (std::size_t channel = 0; channel < 3; ++channel) {
                    EXPECT_NEAR(actual[channel], colour[channel], 1e-9);
                }
                EXPECT_NEAR(actual[3], alpha[3], 1e-9);
            }
        }
    }
}

}  // namespace
