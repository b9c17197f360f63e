#include "Lottie/MainThread/NodeRenderSystem/Renderers/GradientDrawing.h"

#include <cmath>

#include "Lottie/Playback/LottieConfiguration.h"
#include "Platform/Graphics/Gradient.h"

namespace lottie {

namespace graphics = platform::graphics;

GradientDrawing::Stops GradientDrawing::stops() const {
    Stops result;
    const std::size_t count = colors.size();
    const std::size_t colorStops = numberOfColors > 0 ? static_cast<std::size_t>(numberOfColors) : 0;
    const graphics::ColorSpace space = LottieConfiguration::shared().colorSpace;
    for (std::size_t index = 0; index < colorStops && index * 4 + 3 < count; ++index) {
        const std::size_t j = index * 4;
        result.colorLocations.push_back(colors[j]);
        result.colors.push_back(graphics::Color::fromRGBA(space, colors[j + 1], colors[j + 2], colors[j + 3], 1));
    }
    // The opacity stops start after the colour stops the count announces, even
    // when fewer of those were present.
    if (colorStops > count / 4) return result;
    for (std::size_t k = colorStops * 4; k + 1 < count; k += 2) {
        const double alpha = colors[k + 1];
        result.opacityLocations.push_back(colors[k]);
        result.opacities.push_back(graphics::Color::grey(alpha, 1));
        if (alpha < 1) result.hasTransparency = true;
    }
    return result;
}

void GradientDrawing::drawGradient(graphics::GraphicsContext& context, const graphics::Gradient& gradient) const {
    const auto options = graphics::GradientDrawingOptions::extended();
    if (type == GradientType::linear) {
        context.drawLinearGradient(gradient, start, end, options);
        return;
    }
    const double radius = std::hypot(end.x - start.x, end.y - start.y);
    context.drawRadialGradient(gradient, start, 0, start, radius, options);
}

void GradientDrawing::draw(graphics::GraphicsContext& context) const {
    const Stops gradientStops = stops();
    if (gradientStops.hasTransparency) {
        const auto opacityGradient = graphics::Gradient::make(graphics::ColorSpace::deviceGrey(),
                                                              gradientStops.opacities, gradientStops.opacityLocations);
        if (!opacityGradient) return;
        auto mask = graphics::GraphicsContext::makeGreyBitmap(context.width(), context.height());
        if (!mask) return;
        // Our bitmaps share the context's y-down device space, so the mask is
        // drawn with the context's own transform and nothing else.
        mask->concatenate(context.currentTransform());
        drawGradient(*mask, *opacityGradient);
        const auto image = mask->makeImage();
        if (!image) return;
        // The mask's pixels are the context's device pixels: clipping through it
        // over the whole device keeps it aligned whatever clip is already active
        // (a stroke outline, a path), where stretching it over the clip's bounds
        // would shift and scale the opacity ramp.
        const graphics::AffineTransform current = context.currentTransform();
        const auto inverse = current.inverted();
        if (!inverse) return;
        context.concatenate(*inverse);
        context.clipToMask(graphics::Rect(0, 0, context.width(), context.height()), *image);
        context.concatenate(current);
    }
    const auto colorGradient = graphics::Gradient::make(LottieConfiguration::shared().colorSpace, gradientStops.colors,
                                                        gradientStops.colorLocations);
    if (!colorGradient) return;
    drawGradient(context, *colorGradient);
}

}  // namespace lottie
