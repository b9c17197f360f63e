#pragma once
// The drawing of a gradient item's current state into a context: colour stops
// from the flat stop list, a linear gradient between the two points or a radial
// one centred on the start point, and, when an opacity stop is below 1, a grey
// mask of the opacity stops that the drawing is clipped through. Shared by the
// gradient fill layer and the in-context gradient renderer; a plain value.

#include <vector>

#include "Lottie/Model/ShapeItems/ShapeItemEnumerations.h"
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
        std::vector<platform::graphics::Color> opacities;
        std::vector<double> opacityLocations;
        bool hasTransparency = false;
    };
    // Only stops that lie wholly inside the list are read: a list cut short by
    // the document (or by an interpolation between lists of other lengths)
    // loses its incomplete last stop rather than reading past its end.
    Stops stops() const;

    // Draws into the context's current clip; nothing when no gradient can be made.
    void draw(platform::graphics::GraphicsContext& context) const;

private:
    void drawGradient(platform::graphics::GraphicsContext& context, const platform::graphics::Gradient& gradient) const;
};

}  // namespace lottie
