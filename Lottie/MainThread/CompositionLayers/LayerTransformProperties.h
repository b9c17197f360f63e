#pragma once
// The animated parts of a layer's transform, as node properties: the
// "Transform" branch of every layer's keypaths. Owned by the layer's
// LayerTransformNode.

#include <memory>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Lottie/Model/Layers/Transform.h"

namespace lottie {

class LayerTransformProperties final : public NodePropertyMap {
public:
    explicit LayerTransformProperties(const Transform& transform);

    std::shared_ptr<NodeProperty<LottieVector3D>> anchor;
    std::shared_ptr<NodeProperty<LottieVector3D>> scale;
    std::shared_ptr<NodeProperty<LottieVector1D>> rotationX;
    std::shared_ptr<NodeProperty<LottieVector1D>> rotationY;
    std::shared_ptr<NodeProperty<LottieVector1D>> rotationZ;
    // Present when the position is one property.
    std::shared_ptr<NodeProperty<LottieVector3D>> position;
    // Present when the position is split and both parts exist.
    std::shared_ptr<NodeProperty<LottieVector1D>> positionX;
    std::shared_ptr<NodeProperty<LottieVector1D>> positionY;
    std::shared_ptr<NodeProperty<LottieVector1D>> opacity;
};

}  // namespace lottie
