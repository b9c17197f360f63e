#include "Lottie/MainThread/NodeRenderSystem/Nodes/RenderNodes/FillNodeProperties.h"

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"

namespace lottie {

FillNodeProperties::FillNodeProperties(const Fill& fill)
    : NodePropertyMap(fill.name()),
      opacity(makeKeyframeProperty(fill.opacity(), LottieVector1D(100))),
      color(makeKeyframeProperty(fill.color(), LottieColor(0, 0, 0, 1))),
      type(fill.fillRule()) {
    add(opacity, {"Opacity"});
    add(color, {"Color"});
}

}  // namespace lottie
