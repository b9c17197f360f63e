#pragma once
// The animator node of a layer's transform: evaluates the layer's anchor,
// position, scale, rotations and opacity per frame into a local transform, and
// with its parent layer's node (parenting) into a global one. Parenting chains
// these nodes while the layer tree stays flat; a shared parent regenerates once
// per frame however many children ask. Owned by its composition layer.

#include <memory>

#include "Lottie/MainThread/CompositionLayers/LayerTransformProperties.h"
#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/PassThroughOutputNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Protocols/AnimatorNode.h"
#include "Platform/Graphics/Transform3D.h"

namespace lottie {

class LayerTransformNode final : public AnimatorNode {
public:
    explicit LayerTransformNode(std::shared_ptr<const Transform> transform);

    const std::shared_ptr<LayerTransformProperties>& transformProperties() const { return properties_; }
    NodePropertyMap& propertyMap() const override { return *properties_; }
    // Made when first asked: layer transforms chain through their nodes, and
    // nothing reads a layer transform's output but a caller who asks.
    std::shared_ptr<NodeOutput> outputNode() const override;
    // A transform without properties to update has no local updates, so it is
    // built on the first output pass whatever that pass says.
    bool needsOutputRegeneration(double) const override {
        return !generated_ || hasLocalUpdates() || hasUpstreamUpdates();
    }
    void regenerateOutputs(double frame) override;

    // Layer opacity, 0 to 1.
    float opacity() const { return opacity_; }
    const platform::graphics::Transform3D& globalTransform() const { return globalTransform_; }

private:
    mutable std::shared_ptr<PassThroughOutputNode> outputNode_;
    std::shared_ptr<LayerTransformProperties> properties_;
    float opacity_ = 1;
    bool generated_ = false;
    platform::graphics::Transform3D globalTransform_;
};

}  // namespace lottie
