#include "Lottie/MainThread/NodeRenderSystem/Renderers/GradientDrawing.h"

#include <cmath>

#include "Lottie/MainThread/NodeRenderSystem/Renderers/GradientStopMerge.h"
#include "Lottie/Playback/LottieConfiguration.h"

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
        result.opacities.push_back(alpha);
        if (alpha < 1) result.hasTransparency = true;
    }
    return result;
}

std::shared_ptr<const graphics::Gradient> GradientDrawing::gradient() const {
    const Stops gradientStops = stops();
    const graphics::ColorSpace space = LottieConfiguration::shared().colorSpace;
    auto colorRamp = graphics::Gradient::make(space, gradientStops.colors, gradientStops.colorLocations);
    if (!colorRamp || !gradientStops.hasTransparency) return colorRamp;
    // Made a gradient too, so that the opacity stops are clamped and sorted
    // exactly as the colour stops are.
    std::vector<graphics::Color> alphas;
    alphas.reserve(gradientStops.opacities.size());
    for (const double opacity : gradientStops.opacities) alphas.push_back(graphics::Color::rgb(0, 0, 0, opacity));
    const auto opacityRamp = graphics::Gradient::make(space, alphas, gradientStops.opacityLocations);
    if (!opacityRamp) return nullptr;
    const std::vector<graphics::Gradient::Stop> merged =
        GradientStopMerge::merge(colorRamp->stops(), opacityRamp->stops());
    std::vector<graphics::Color> mergedColors;
    std::vector<double> mergedLocations;
    mergedColors.reserve(merged.size());
    mergedLocations.reserve(merged.size());
    for (const graphics::Gradient::Stop& stop : merged) {
        const auto& [red, green, blue, alpha] = stop.rgba;
        mergedColors.push_back(graphics::Color::fromRGBA(space, red, green, blue, alpha));
        mergedLocations.push_back(stop.location);
    }
    return graphics::Gradient::make(space, mergedColors, mergedLocations);
}

void GradientDrawing::fillPath(graphics::GraphicsContext& context, graphics::FillRule rule) const {
    const auto ramp = gradient();
    if (!ramp) {
        context.beginPath();
        return;
    }
    if (type == GradientType::linear) {
        context.fillPathWithLinearGradient(*ramp, start, end, rule);
        return;
    }
    const double radius = std::hypot(end.x - start.x, end.y - start.y);
    context.fillPathWithRadialGradient(*ramp, start, 0, start, radius, rule);
}

}  // namespace lottie
