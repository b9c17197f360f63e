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
    add(opacity, {"Opacity"});
    add(color, {"Color"});
    add(width, {"Stroke Width"});
    const auto& pattern = stroke.dashPattern();
    if (!pattern) return;
    DashKeyframes keyframes = DashKeyframes::make(*pattern);
    dashPattern = NodeProperty<std::vector<LottieVector1D>>::make(
        std::make_shared<GroupInterpolator<LottieVector1D>>(keyframes.dashes));
    if (keyframes.phase.empty()) {
        dashPhase = makeSingleValueProperty(LottieVector1D(0));
    } else {
        dashPhase = NodeProperty<LottieVector1D>::make(
            std::make_shared<KeyframeInterpolatorProvider<LottieVector1D>>(std::move(keyframes.phase)));
    }
    add(dashPattern, {"Dashes"});
    add(dashPhase, {"Dash Phase"});
}

void StrokeNodeProperties::makeSolidDashProperties() {
    if (dashPattern) return;
    dashPattern = makeSingleValueProperty(std::vector<LottieVector1D>{});
    dashPhase = makeSingleValueProperty(LottieVector1D(0));
    add(dashPattern, {"Dashes"});
    add(dashPhase, {"Dash Phase"});
}

KeypathSearchable::Properties StrokeNodeProperties::keypathProperties() const {
    // Whoever asks may give the dashes a value provider, so they must exist
    // from now on; an empty pattern draws solid as before.
    const_cast<StrokeNodeProperties*>(this)->makeSolidDashProperties();
    return NodePropertyMap::keypathProperties();
}

}  // namespace lottie
