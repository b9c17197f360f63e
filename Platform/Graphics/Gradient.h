#pragma once
// A colour ramp: colours at locations from 0 to 1, in device RGB or device grey.
// Drawn by GraphicsContext as a linear or radial gradient. Stands in for the
// platform's gradient objects; immutable, shared as std::shared_ptr<const Gradient>.

#include <array>
#include <memory>
#include <span>
#include <vector>

#include "Platform/Graphics/Color.h"
#include "Platform/Graphics/ColorSpace.h"

namespace platform::graphics {

class Gradient {
public:
    struct Stop {
        double location;
        std::array<double, 4> rgba;  // straight alpha, each 0...1
    };

    // The steps of the ramp that stops are told apart by: of the stops within
    // one step only the first and the last are kept, so a ramp never holds more
    // than twice this many stops, however many a document asks for.
    static constexpr int resolution = 1024;

    // One stop per colour, converted into `space`. Empty `locations` spaces the
    // colours evenly from 0 to 1. Nothing when there is no colour, the counts
    // differ, or a location is not a finite number.
    static std::shared_ptr<const Gradient> make(ColorSpace space, std::span<const Color> colors,
                                                std::span<const double> locations);

    ColorSpace colorSpace() const { return space_; }
    // Sorted by location, each location clamped to 0...1, reduced to what the
    // ramp's resolution can show.
    const std::vector<Stop>& stops() const { return stops_; }

private:
    static std::vector<Stop> reduced(std::vector<Stop> stops);
    Gradient(ColorSpace space, std::vector<Stop> stops) : space_(space), stops_(std::move(stops)) {}

    ColorSpace space_;
    std::vector<Stop> stops_;
};

}  // namespace platform::graphics
