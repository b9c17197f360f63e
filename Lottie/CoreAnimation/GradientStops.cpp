#include "Lottie/CoreAnimation/GradientStops.h"

#include <algorithm>

#include "Lottie/MainThread/NodeRenderSystem/Renderers/GradientStopMerge.h"
#include "Lottie/Playback/LottieConfiguration.h"
#include "Platform/Graphics/Gradient.h"

namespace lottie {

namespace {

// Where the opacity stops begin: after the colour stops the data holds.
std::size_t colorNumbers(const std::vector<double>& values, int numberOfColors) {
    const std::size_t wanted = 4 * static_cast<std::size_t>(std::max(numberOfColors, 0));
    return std::min(wanted, values.size() / 4 * 4);
}

// The stops as drawing takes them: locations clamped and sorted, colours clamped.
std::vector<platform::graphics::Gradient::Stop> rampOf(const GradientStops& stops) {
    const auto ramp = platform::graphics::Gradient::make(LottieConfiguration::sharedColorSpace(), stops.colors,
                                                         stops.locations);
    return ramp ? ramp->stops() : std::vector<platform::graphics::Gradient::Stop>{};
}

GradientStops colorsWithAlpha(const std::vector<double>& values, int numberOfColors) {
    GradientStops colors = GradientStops::read(values, numberOfColors, GradientStops::Kind::color);
    const GradientStops alphas = GradientStops::read(values, numberOfColors, GradientStops::Kind::alpha);
    if (alphas.colors.empty()) return colors;
    const auto space = LottieConfiguration::sharedColorSpace();
    GradientStops merged;
    for (const auto& stop : GradientStopMerge::mergeStopByStop(rampOf(colors), rampOf(alphas))) {
        const auto& [red, green, blue, alpha] = stop.rgba;
        merged.locations.push_back(stop.location);
        merged.colors.push_back(platform::graphics::Color::fromRGBA(space, red, green, blue, alpha));
    }
    return merged;
}

}  // namespace

GradientStops GradientStops::read(const std::vector<double>& values, int numberOfColors, Kind kind) {
    if (kind == Kind::colorWithAlpha) return colorsWithAlpha(values, numberOfColors);
    const auto space = LottieConfiguration::sharedColorSpace();
    const std::size_t first = colorNumbers(values, numberOfColors);
    GradientStops stops;
    // A negative count says nothing about where the colours end.
    if (numberOfColors < 0) return stops;
    if (kind == Kind::color) {
        for (std::size_t i = 0; i < first; i += 4) {
            stops.locations.push_back(values[i]);
            stops.colors.push_back(platform::graphics::Color::fromRGBA(space, values[i + 1], values[i + 2], values[i + 3], 1));
        }
        return stops;
    }
    // Only colour data that is complete has opacity stops after it.
    if (first < 4 * static_cast<std::size_t>(std::max(numberOfColors, 0))) return stops;
    for (std::size_t i = first; i + 1 < values.size(); i += 2) {
        stops.locations.push_back(values[i]);
        stops.colors.push_back(platform::graphics::Color::fromRGBA(space, 0, 0, 0, values[i + 1]));
    }
    return stops;
}

bool GradientStops::hasAlpha(const std::vector<std::vector<double>>& keyframeValues, int numberOfColors) {
    return std::ranges::any_of(keyframeValues, [numberOfColors](const std::vector<double>& values) {
        const GradientStops stops = read(values, numberOfColors, Kind::alpha);
        return std::ranges::any_of(stops.colors, [](const auto& color) { return color.alpha() < 0.999; });
    });
}

bool GradientStops::locationsStayPut(const std::vector<std::vector<double>>& keyframeValues, int numberOfColors) {
    const auto locations = [numberOfColors](const std::vector<double>& values) {
        return std::make_pair(read(values, numberOfColors, Kind::color).locations,
                              read(values, numberOfColors, Kind::alpha).locations);
    };
    if (keyframeValues.empty()) return true;
    const auto first = locations(keyframeValues.front());
    return std::ranges::all_of(keyframeValues,
                               [&](const std::vector<double>& values) { return locations(values) == first; });
}

}  // namespace lottie
