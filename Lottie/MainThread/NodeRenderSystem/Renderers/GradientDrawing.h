#pragma once
// The drawing of a gradient item's current state: colour stops from the flat
// stop list, a linear gradient between the two points or a radial one centred
// on the start point, and, when an opacity stop is below 1, the opacity stops
// merged into the colour stops' alpha (GradientStopMerge). Shared by the
// gradient fill and gradient stroke renderers; a plain value.

#include <memory>
#include <vector>

#include "Lottie/Model/ShapeItems/ShapeItemEnumerations.h"
#include "Platform/Graphics/FillRule.h"
#include "Platform/Graphics/Gradient.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/Point.h"

namespace lottie {

struct GradientDrawing {
    platform::graphics::Point start;
    platform::graphics::Point end;
    int numberOfColors = 0;
    // numberOfColors stops of (location, r, g, b), then any number of (location, alpha).
    std::vector<double> colors;
    GradientType type = GradientType::none;

    struct Stops {
        std::vector<platform::graphics::Color> colors;
        std::vector<double> colorLocations;
        std::vector<double> opacities;
        std::vector<double> opacityLocations;
        bool hasTransparency = false;
    };
    // Only stops that lie wholly inside the list are read: a list cut short by
    // the document (or by an interpolation between lists of other lengths)
    // loses its incomplete last stop rather than reading past its end.
    Stops stops() const;
    // The colour ramp with the opacity ramp in its alpha; none when no gradient
    // can be made (no colour stop, a location that is not a number).
    std::shared_ptr<const platform::graphics::Gradient> gradient() const;

    // Fills the context's current path (or the stroke it stands for) with the
    // gradient at device resolution, and consumes the path; nothing is drawn
    // when no gradient can be made.
    void fillPath(platform::graphics::GraphicsContext& context, platform::graphics::FillRule rule) const;
};

}  // namespace lottie
