#pragma once
// Merges a gradient's colour stops and its opacity stops into one list of
// stops with alpha, so that a gradient with opacity stops is drawn in one
// pass instead of through a mask of its opacity ramp. Stateless.
//
// The merged list has a stop wherever either list has one, each list
// interpolated at the other's locations, and two stops where either list
// jumps (stops sharing a location). Between neighbouring merged stops both
// ramps are linear, and drawing interpolates colour and alpha linearly before
// premultiplying them, so the merged gradient shows the colour ramp times the
// opacity ramp at every point, as the mask did. Past either end of a list its
// end stop holds, as a padded gradient's does.
//
// The stop-by-stop form makes one stop of each colour stop and each opacity
// stop instead, so that lists merged from keyframes whose locations agree
// line up stop by stop and can be interpolated as they stand (the Core
// Animation engine animates them so); it draws the same ramp.

#include <span>
#include <vector>

#include "Platform/Graphics/Gradient.h"

namespace lottie {

class GradientStopMerge {
public:
    GradientStopMerge() = delete;

    // Both lists sorted by location, as Gradient keeps its stops. The colour
    // stops' red, green and blue are kept and their alpha multiplied by the
    // opacity stops' alpha; the opacity stops' colours are ignored. Empty when
    // either list is.
    static std::vector<platform::graphics::Gradient::Stop> merge(
        std::span<const platform::graphics::Gradient::Stop> colors,
        std::span<const platform::graphics::Gradient::Stop> opacities);
    // The same ramp as merge(), one stop for each stop of either list, in the
    // order of their locations (a colour stop before an opacity stop at the
    // same location). Empty when either list is.
    static std::vector<platform::graphics::Gradient::Stop> mergeStopByStop(
        std::span<const platform::graphics::Gradient::Stop> colors,
        std::span<const platform::graphics::Gradient::Stop> opacities);
};

}  // namespace lottie
