#pragma once
// The animated parts of a layer's transform, as node properties: the
// "Transform" branch of every layer's keypaths. Owned by the layer's
// LayerTransformNode.
//
// Most layers never move: every part of their transform is one value. Such a
// map makes its node properties only when a keypath search asks for them (to
// list them, read them or give them a value provider); until then it answers
// the current values from the model and has no properties to update, so a view
// pays nothing per part of a transform that stays put. A transform with any
// animated part makes its properties at once.

#include <memory>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Lottie/Model/Layers/Transform.h"
#include "Platform/Graphics/Point.h"

namespace lottie {

class LayerTransformProperties final : public NodePropertyMap {
public:
    explicit LayerTransformProperties(std::shared_ptr<const Transform> transform);

    // Whether the node properties exist (an animated transform, or one a
    // keypath search has reached).
    bool hasProperties() const { return anchor_ != nullptr; }

    // The values of the last update (the model's values while there are no
    // properties).
    LottieVector3D anchor() const;
    LottieVector3D scale() const;
    double rotationX() const;
    double rotationY() const;
    double rotationZ() const;
    // The position as x and y: one property, or the split parts when both exist.
    platform::graphics::Point position() const;
    // Opacity, 0 to 100.
    double opacity() const;

    Properties keypathProperties() const override;

private:
    // Makes the node properties once.
    void makeProperties();

    std::shared_ptr<const Transform> transform_;
    std::shared_ptr<NodeProperty<LottieVector3D>> anchor_;
    std::shared_ptr<NodeProperty<LottieVector3D>> scale_;
    std::shared_ptr<NodeProperty<LottieVector1D>> rotationX_;
    std::shared_ptr<NodeProperty<LottieVector1D>> rotationY_;
    std::shared_ptr<NodeProperty<LottieVector1D>> rotationZ_;
    // Present when the position is one property.
    std::shared_ptr<NodeProperty<LottieVector3D>> position_;
    // Present when the position is split and both parts exist.
    std::shared_ptr<NodeProperty<LottieVector1D>> positionX_;
    std::shared_ptr<NodeProperty<LottieVector1D>> positionY_;
    std::shared_ptr<NodeProperty<LottieVector1D>> opacity_;
};

}  // namespace lottie
