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
    return std::shared_ptr<const Gradient>(new Gradient(space, std::move(stops)));
}

}  // namespace platform::graphics
