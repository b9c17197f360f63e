#pragma once
// The animated values of a gradient fill: opacity (percent), start and end
// points, the flat list of colour and opacity stops, and its fixed gradient
// type, stop count and fill rule. Owned by its GradientFillNode.

#include <vector>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Lottie/Model/ShapeItems/GradientFill.h"

namespace lottie {

class GradientFillProperties final : public NodePropertyMap {
public:
    explicit GradientFillProperties(const GradientFill& gradientFill);

    std::shared_ptr<NodeProperty<LottieVector1D>> opacity;
    std::shared_ptr<NodeProperty<LottieVector3D>> startPoint;
    std::shared_ptr<NodeProperty<LottieVector3D>> endPoint;
    std::shared_ptr<NodeProperty<std::vector<double>>> colors;
    GradientType gradientType;
    int numberOfColors;
    FillRule fillRule;
};

}  // namespace lottie
