#include "Lottie/MainThread/NodeRenderSystem/Nodes/RenderNodes/GradientStrokeProperties.h"

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/GroupInterpolator.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/KeyframeInterpolatorProvider.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/SingleValueProvider.h"

namespace lottie {

GradientStrokeProperties::GradientStrokeProperties(const GradientStroke& gradientStroke)
    : NodePropertyMap(gradientStroke.name()),
      opacity(makeKeyframeProperty(gradientStroke.opacity(), LottieVector1D(100))),
      startPoint(makeKeyframeProperty(gradientStroke.startPoint())),
      endPoint(makeKeyframeProperty(gradientStroke.endPoint())),
      colors(makeKeyframeProperty(gradientStroke.colors())),
      gradientType(gradientStroke.gradientType()),
      numberOfColors(gradientStroke.numberOfColors()),
      width(makeKeyframeProperty(gradientStroke.width())),
      lineCap(gradientStroke.lineCap()),
      lineJoin(gradientStroke.lineJoin()),
      miterLimit(gradientStroke.miterLimit()) {
    if (const auto& pattern = gradientStroke.dashPattern()) {
        std::vector<std::vector<Keyframe<LottieVector1D>>> dashes;
        std::vector<Keyframe<LottieVector1D>> phase;
        for (const auto& element : *pattern) {
            if (!element) continue;
            std::vector<Keyframe<LottieVector1D>> keyframes;
            if (const auto& group = element->value()) keyframes = group->keyframes();
            if (element->type() == DashElementType::offset) {
                phase = std::move(keyframes);
            } else {
                dashes.push_back(std::move(keyframes));
            }
        }
        dashPattern = NodeProperty<std::vector<LottieVector1D>>::make(
            std::make_shared<GroupInterpolator<LottieVector1D>>(dashes));
        if (!phase.empty()) {
            dashPhase = NodeProperty<LottieVector1D>::make(
                std::make_shared<KeyframeInterpolatorProvider<LottieVector1D>>(std::move(phase)));
        }
    } else {
        dashPattern = makeSingleValueProperty(std::vector<LottieVector1D>{});
    }
    if (!dashPhase) dashPhase = makeSingleValueProperty(LottieVector1D(0));
    add(opacity, {"Opacity"});
    add(startPoint, {"Start Point"});
    add(endPoint, {"End Point"});
    add(colors, {"Colors"});
    add(width, {"Stroke Width"});
    add(dashPattern, {"Dashes"});
    add(dashPhase, {"Dash Phase"});
}

}  // namespace lottie
