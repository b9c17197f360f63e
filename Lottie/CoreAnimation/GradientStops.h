#pragma once
// The stops of one keyframe of a gradient's colour data, as the Core Animation
// engine's two gradient layers show them: the colour layer the colour stops
// (position, red, green, blue, opaque), the alpha layer the opacity stops that
// follow them (position, alpha, on black). Data that does not fill its stops
// (a negative count, too few numbers, an opacity stop without its alpha)
// gives the complete stops and never reads past the end. Stateless.

#include <vector>

#include "Platform/Graphics/Color.h"

namespace lottie {

struct GradientStops {
    enum class Kind { color, alpha };

    std::vector<platform::graphics::Color> colors;
    std::vector<double> locations;

    static GradientStops read(const std::vector<double>& values, int numberOfColors, Kind kind);
    // Some opacity stop of some keyframe is below 0.999: the gradient needs an alpha layer.
    static bool hasAlpha(const std::vector<std::vector<double>>& keyframeValues, int numberOfColors);
};

}  // namespace lottie
