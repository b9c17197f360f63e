#pragma once
// The animated values of a star item drawn as a regular polygon: centre, outer
// radius and roundedness, rotation and point count. Owned by its PolygonNode.

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Lottie/Model/ShapeItems/Star.h"

namespace lottie {

class PolygonNodeProperties final : public NodePropertyMap {
public:
    explicit PolygonNodeProperties(const Star& star);

    PathDirection direction;
    std::shared_ptr<NodeProperty<LottieVector3D>> position;
    std::shared_ptr<NodeProperty<LottieVector1D>> outerRadius;
    std::shared_ptr<NodeProperty<LottieVector1D>> outerRoundedness;
    std::shared_ptr<NodeProperty<LottieVector1D>> rotation;
    std::shared_ptr<NodeProperty<LottieVector1D>> points;
};

}  // namespace lottie
