#pragma once
// The stops of one keyframe of a gradient's colour data, as the Core Animation
// engine's gradient layers show them: the colour stops (position, red, green,
// blue, opaque), the opacity stops that follow them (position, alpha, on
// black), or both in one list whose alpha is the opacity ramp's, which one
// layer shows without a mask. Data that does not fill its stops (a negative
// count, too few numbers, an opacity stop without its alpha) gives the complete
// stops and never reads past the end. Stateless.

#include <vector>

#include "Platform/Graphics/Color.h"

namespace lottie {

struct GradientStops {
    // colorWithAlpha: a stop for each colour stop and each opacity stop, each
    // with the colour ramp's colour and the opacity ramp's alpha at its
    // location, so that the colour ramp times the opacity ramp shows in one
    // pass; the colour stops alone when there are no opacity stops.
    enum class Kind { color, alpha, colorWithAlpha };

    std::vector<platform::graphics::Color> colors;
    std::vector<double> locations;

    static GradientStops read(const std::vector<double>& values, int numberOfColors, Kind kind);
    // Some opacity stop of some keyframe is below 0.999: the gradient needs an alpha layer.
    static bool hasAlpha(const std::vector<std::vector<double>>& keyframeValues, int numberOfColors);
    // Every keyframe has its colour and opacity stops where the first has them:
    // the colorWithAlpha lists of the keyframes then match stop by stop, and
    // interpolating them gives the stops of the interpolated data.
    static bool locationsStayPut(const std::vector<std::vector<double>>& keyframeValues, int numberOfColors);
};

}  // namespace lottie
