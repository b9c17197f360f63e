#pragma once
// The animated values of a solid stroke: opacity, colour, width, the dash
// lengths and phase, and its fixed caps, joins and miter limit. Owned by its
// StrokeNode.

#include <vector>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Lottie/Model/ShapeItems/Stroke.h"

namespace lottie {

class StrokeNodeProperties final : public NodePropertyMap {
public:
    explicit StrokeNodeProperties(const Stroke& stroke);

    std::shared_ptr<NodeProperty<LottieVector1D>> opacity;
    std::shared_ptr<NodeProperty<LottieColor>> color;
    std::shared_ptr<NodeProperty<LottieVector1D>> width;
    std::shared_ptr<NodeProperty<std::vector<LottieVector1D>>> dashPattern;
    std::shared_ptr<NodeProperty<LottieVector1D>> dashPhase;
    LineCap lineCap;
    LineJoin lineJoin;
    double miterLimit;
};

}  // namespace lottie
