#include "Lottie/MainThread/NodeRenderSystem/Renderers/GradientStopMerge.h"

#include <algorithm>
#include <array>

namespace lottie {

using Stop = platform::graphics::Gradient::Stop;
using RGBA = std::array<double, 4>;

namespace {

// A ramp's value at a location, coming from below and going on above: they
// differ only where stops share the location.
struct Sample {
    RGBA before;
    RGBA after;
};

Sample sampleAt(std::span<const Stop> stops, double location) {
    const auto byLocation = [](const Stop& stop, double value) { return stop.location < value; };
    const auto first = std::lower_bound(stops.begin(), stops.end(), location, byLocation);
    auto last = first;
    while (last != stops.end() && last->location == location) ++last;
    if (first != last) return {first->rgba, (last - 1)->rgba};
    if (first == stops.begin()) return {first->rgba, first->rgba};
    if (first == stops.end()) return {stops.back().rgba, stops.back().rgba};
    const Stop& low = *(first - 1);
    const Stop& high = *first;
    const double t = (location - low.location) / (high.location - low.location);
    RGBA value;
    for (std::size_t channel = 0; channel < 4; ++channel) {
        value[channel] = low.rgba[channel] + (high.rgba[channel] - low.rgba[channel]) * t;
    }
    return {value, value};
}

RGBA withOpacity(const RGBA& color, const RGBA& opacity) {
    return {color[0], color[1], color[2], color[3] * opacity[3]};
}

}  // namespace

std::vector<Stop> GradientStopMerge::merge(std::span<const Stop> colors, std::span<const Stop> opacities) {
    std::vector<Stop> merged;
    if (colors.empty() || opacities.empty()) return merged;
    std::vector<double> locations;
    locations.reserve(colors.size() + opacities.size());
    for (const Stop& stop : colors) locations.push_back(stop.location);
    for (const Stop& stop : opacities) locations.push_back(stop.location);
    std::sort(locations.begin(), locations.end());
    locations.erase(std::unique(locations.begin(), locations.end()), locations.end());
    merged.reserve(locations.size() * 2);
    for (const double location : locations) {
        const Sample color = sampleAt(colors, location);
        const Sample opacity = sampleAt(opacities, location);
        merged.push_back({location, withOpacity(color.before, opacity.before)});
        const RGBA after = withOpacity(color.after, opacity.after);
        if (after != merged.back().rgba) merged.push_back({location, after});
    }
    return merged;
}

std::vector<Stop> GradientStopMerge::mergeStopByStop(std::span<const Stop> colors, std::span<const Stop> opacities) {
    std::vector<Stop> merged;
    if (colors.empty() || opacities.empty()) return merged;
    merged.reserve(colors.size() + opacities.size());
    auto color = colors.begin();
    auto opacity = opacities.begin();
    while (color != colors.end() || opacity != opacities.end()) {
        // Where a list jumps, a colour stop takes the opacity from below and an
        // opacity stop the colour from above, so that the stops at one location
        // go from the values below it to those above it.
        if (opacity == opacities.end() || (color != colors.end() && color->location <= opacity->location)) {
            merged.push_back({color->location, withOpacity(color->rgba, sampleAt(opacities, color->location).before)});
            ++color;
        } else {
            merged.push_back({opacity->location, withOpacity(sampleAt(colors, opacity->location).after, opacity->rgba)});
            ++opacity;
        }
    }
    return merged;
}

}  // namespace lottie
