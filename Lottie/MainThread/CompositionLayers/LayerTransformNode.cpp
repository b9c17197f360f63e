#include "Lottie/MainThread/CompositionLayers/LayerTransformNode.h"

#include <numbers>

namespace lottie {

using platform::graphics::Transform3D;

LayerTransformNode::LayerTransformNode(std::shared_ptr<const Transform> transform)
    : properties_(std::make_shared<LayerTransformProperties>(std::move(transform))) {}

std::shared_ptr<NodeOutput> LayerTransformNode::outputNode() const {
    if (!outputNode_) outputNode_ = std::make_shared<PassThroughOutputNode>(nullptr);
    return outputNode_;
}

void LayerTransformNode::regenerateOutputs(double) {
    const LayerTransformProperties& values = *properties_;
    generated_ = true;
    opacity_ = static_cast<float>(values.opacity()) * 0.01f;

    const platform::graphics::Point position = values.position();
    constexpr double degrees = std::numbers::pi / 180;
    const LottieVector3D anchor = values.anchor();
    const LottieVector3D scale = values.scale();
    // Each step goes before the running transform, so a point is moved by minus
    // the anchor first, then scaled, rotated about z, y and x, then positioned.
    const Transform3D local = Transform3D::makeTranslation(position.x, position.y, 0)
                          .rotate(values.rotationX() * degrees, 1, 0, 0)
                          .rotate(values.rotationY() * degrees, 0, 1, 0)
                          .rotate(values.rotationZ() * degrees, 0, 0, 1)
                          .scale(scale.x * 0.01, scale.y * 0.01, 1)
                          .translate(-anchor.x, -anchor.y, 0);
    auto* parent = dynamic_cast<LayerTransformNode*>(parentNode().get());
    globalTransform_ = parent ? Transform3D::concat(local, parent->globalTransform_) : local;
}

}  // namespace lottie
