#include "Platform/Graphics/Gradient.h"

#include <algorithm>
#include <cmath>

namespace platform::graphics {

std::shared_ptr<const Gradient> Gradient::make(ColorSpace space, std::span<const Color> colors,
                                               std::span<const double> locations) {
    if (colors.empty() || (!locations.empty() && locations.size() != colors.size())) {
        return nullptr;
    }
    std::vector<Stop> stops;
    stops.reserve(colors.size());
    for (std::size_t i = 0; i < colors.size(); ++i) {
        double location = 0;
        if (!locations.empty()) {
            location = locations[i];
        } else if (colors.size() > 1) {
            location = static_cast<double>(i) / static_cast<double>(colors.size() - 1);
        }
        if (!std::isfinite(location)) {
            return nullptr;
        }
        const std::array<double, 4> rgba = colors[i].clampedRGBA();
        const Color converted = Color::fromRGBA(space, rgba[0], rgba[1], rgba[2], rgba[3]);
        stops.push_back({std::clamp(location, 0.0, 1.0), converted.clampedRGBA()});
    }
    // Stable, so that stops sharing a location keep their order and make a hard edge.
    std::stable_sort(stops.begin(), stops.end(),
                     [](const Stop& a, const Stop& b) { return a.location < b.location; });
    return std::shared_ptr<const Gradient>(new Gradient(space, reduced(std::move(stops))));
}

std::vector<Gradient::Stop> Gradient::reduced(std::vector<Stop> stops) {
    // Of the stops that fall into one step of the ramp, the first and the last
    // give what the step shows, a hard edge included; those between them
    // change nothing a pixel can show.
    // Location 1 falls into the last step, not one of its own.
    const auto step = [](const Stop& stop) { return std::min(static_cast<int>(stop.location * resolution), resolution - 1); };
    std::vector<Stop> kept;
    std::size_t first = 0;
    while (first < stops.size()) {
        std::size_t last = first;
        while (last + 1 < stops.size() && step(stops[last + 1]) == step(stops[first])) ++last;
        kept.push_back(stops[first]);
        if (last != first) kept.push_back(stops[last]);
        first = last + 1;
    }
    return kept;
}

}  // namespace platform::graphics
