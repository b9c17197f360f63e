#pragma once
// The animated values of a star item: centre, outer and inner radius and
// roundedness, rotation and point count. A star without inner radius or inner
// roundness takes 0 for the missing one. Owned by its StarNode.

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Lottie/Model/ShapeItems/Star.h"

namespace lottie {

class StarNodeProperties final : public NodePropertyMap {
public:
    explicit StarNodeProperties(const Star& star);

    PathDirection direction;
    std::shared_ptr<NodeProperty<LottieVector3D>> position;
    std::shared_ptr<NodeProperty<LottieVector1D>> outerRadius;
    std::shared_ptr<NodeProperty<LottieVector1D>> outerRoundedness;
    std::shared_ptr<NodeProperty<LottieVector1D>> innerRadius;
    std::shared_ptr<NodeProperty<LottieVector1D>> innerRoundedness;
    std::shared_ptr<NodeProperty<LottieVector1D>> rotation;
    std::shared_ptr<NodeProperty<LottieVector1D>> points;
};

}  // namespace lottie
