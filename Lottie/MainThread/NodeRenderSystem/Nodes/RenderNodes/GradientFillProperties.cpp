#include "Lottie/MainThread/NodeRenderSystem/Nodes/RenderNodes/GradientFillProperties.h"

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"

namespace lottie {

GradientFillProperties::GradientFillProperties(const GradientFill& gradientFill)
    : NodePropertyMap(gradientFill.name()),
      opacity(makeKeyframeProperty(gradientFill.opacity(), LottieVector1D(100))),
      startPoint(makeKeyframeProperty(gradientFill.startPoint())),
      endPoint(makeKeyframeProperty(gradientFill.endPoint())),
      colors(makeKeyframeProperty(gradientFill.colors())),
      gradientType(gradientFill.gradientType()),
      numberOfColors(gradientFill.numberOfColors()),
      fillRule(gradientFill.fillRule()) {
    add(opacity, {"Opacity"});
    add(startPoint, {"Start Point"});
    add(endPoint, {"End Point"});
    add(colors, {"Colors"});
}

}  // namespace lottie
