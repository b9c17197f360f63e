#include "Lottie/MainThread/CompositionLayers/LayerTransformNode.h"

#include <numbers>

namespace lottie {

using platform::graphics::Transform3D;

LayerTransformNode::LayerTransformNode(const Transform& transform)
    : outputNode_(std::make_shared<PassThroughOutputNode>(nullptr)),
      properties_(std::make_shared<LayerTransformProperties>(transform)) {}

void LayerTransformNode::regenerateOutputs(double) {
    const LayerTransformProperties& values = *properties_;
    opacity_ = static_cast<float>(values.opacity->value().value) * 0.01f;

    double x = 0;
    double y = 0;
    if (values.position) {
        x = values.position->value().x;
        y = values.position->value().y;
    } else if (values.positionX && values.positionY) {
        x = values.positionX->value().value;
        y = values.positionY->value().value;
    }
    constexpr double degrees = std::numbers::pi / 180;
    const LottieVector3D& anchor = values.anchor->value();
    const LottieVector3D& scale = values.scale->value();
    // Each step goes before the running transform, so a point is moved by minus
    // the anchor first, then scaled, rotated about z, y and x, then positioned.
    localTransform_ = Transform3D::makeTranslation(x, y, 0)
                          .rotate(values.rotationX->value().value * degrees, 1, 0, 0)
                          .rotate(values.rotationY->value().value * degrees, 0, 1, 0)
                          .rotate(values.rotationZ->value().value * degrees, 0, 0, 1)
                          .scale(scale.x * 0.01, scale.y * 0.01, 1)
                          .translate(-anchor.x, -anchor.y, 0);
    auto* parent = dynamic_cast<LayerTransformNode*>(parentNode().get());
    globalTransform_ = parent ? Transform3D::concat(localTransform_, parent->globalTransform_) : localTransform_;
}

}  // namespace lottie
