#include "Lottie/MainThread/NodeRenderSystem/Nodes/RenderNodes/StrokeNodeProperties.h"

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/GroupInterpolator.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/KeyframeInterpolatorProvider.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/SingleValueProvider.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/RenderNodes/DashKeyframes.h"

namespace lottie {

StrokeNodeProperties::StrokeNodeProperties(const Stroke& stroke)
    : NodePropertyMap(stroke.name()),
      opacity(makeKeyframeProperty(stroke.opacity(), LottieVector1D(100))),
      color(makeKeyframeProperty(stroke.color(), LottieColor(0, 0, 0, 1))),
      width(makeKeyframeProperty(stroke.width())),
      lineCap(stroke.lineCap()),
      lineJoin(stroke.lineJoin()),
      miterLimit(stroke.miterLimit()) {
    if (const auto& pattern = stroke.dashPattern()) {
        DashKeyframes keyframes = DashKeyframes::make(*pattern);
        dashPattern = NodeProperty<std::vector<LottieVector1D>>::make(
            std::make_shared<GroupInterpolator<LottieVector1D>>(keyframes.dashes));
        if (!keyframes.phase.empty()) {
            dashPhase = NodeProperty<LottieVector1D>::make(
                std::make_shared<KeyframeInterpolatorProvider<LottieVector1D>>(std::move(keyframes.phase)));
        }
    } else {
        dashPattern = makeSingleValueProperty(std::vector<LottieVector1D>{});
    }
    if (!dashPhase) dashPhase = makeSingleValueProperty(LottieVector1D(0));
    add(opacity, {"Opacity"});
    add(color, {"Color"});
    add(width, {"Stroke Width"});
    add(dashPattern, {"Dashes"});
    add(dashPhase, {"Dash Phase"});
}

}  // namespace lottie
