#pragma once
// The animated transform and opacity of a group, from its shape-transform item,
// or fixed defaults (no move, 100 % scale, fully opaque) for a group without one.
// Owned by its GroupNode.

#include <memory>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Lottie/Model/ShapeItems/ShapeTransform.h"
#include "Platform/Graphics/Transform3D.h"

namespace lottie {

class GroupNodeProperties final : public NodePropertyMap {
public:
    explicit GroupNodeProperties(const ShapeTransform* transform);

    // The transform of the current values: from minus the anchor, scaled, skewed
    // along the skew axis, rotated about z, y and x, to the position.
    platform::graphics::Transform3D caTransform() const;

    std::shared_ptr<NodeProperty<LottieVector3D>> anchor;
    std::shared_ptr<NodeProperty<LottieVector3D>> position;
    std::shared_ptr<NodeProperty<LottieVector3D>> scale;
    std::shared_ptr<NodeProperty<LottieVector1D>> rotationX;
    std::shared_ptr<NodeProperty<LottieVector1D>> rotationY;
    std::shared_ptr<NodeProperty<LottieVector1D>> rotationZ;
    std::shared_ptr<NodeProperty<LottieVector1D>> opacity;
    std::shared_ptr<NodeProperty<LottieVector1D>> skew;
    std::shared_ptr<NodeProperty<LottieVector1D>> skewAxis;
};

}  // namespace lottie
