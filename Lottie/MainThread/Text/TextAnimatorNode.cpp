#include "Lottie/MainThread/Text/TextAnimatorNode.h"

#include <cmath>
#include <numbers>

#include "Lottie/MainThread/NodeRenderSystem/Renderers/EngineColor.h"

namespace lottie {

using platform::graphics::Transform3D;

namespace {

double radians(double degrees) { return degrees * std::numbers::pi / 180; }

template <class T>
std::optional<double> numberOf(const std::shared_ptr<NodeProperty<T>>& property) {
    if (!property) return std::nullopt;
    return property->value().value;
}

std::optional<platform::graphics::Color> colorOf(const std::shared_ptr<NodeProperty<LottieColor>>& property) {
    if (!property) return std::nullopt;
    return engineColor(property->value());
}

}  // namespace

TextAnimatorNode::TextAnimatorNode(std::shared_ptr<TextAnimatorNode> parentNode, const TextAnimator& animator)
    : AnimatorNode(parentNode),
      textOutputNode_(std::make_shared<TextOutputNode>(parentNode ? parentNode->textOutputNode() : nullptr)),
      textAnimatorProperties_(std::make_shared<TextAnimatorNodeProperties>(animator)) {}

Transform3D TextAnimatorNode::transform() const {
    const TextAnimatorNodeProperties& properties = *textAnimatorProperties_;
    const LottieVector3D position = properties.position ? properties.position->value() : LottieVector3D();
    const LottieVector3D anchor = properties.anchor ? properties.anchor->value() : LottieVector3D();
    Transform3D t = Transform3D::makeTranslation(position.x, position.y, 0);
    t = t.rotate(radians(numberOf(properties.rotationX).value_or(0)), 1, 0, 0);
    t = t.rotate(radians(numberOf(properties.rotationY).value_or(0)), 0, 1, 0);
    t = t.rotate(radians(numberOf(properties.rotationZ).value_or(0)), 0, 0, 1);
    if (properties.skew && properties.skewAxis) {
        const double axis = radians(properties.skewAxis->value().value);
        const double skew = radians(-properties.skew->value().value);
        Transform3D toAxis;
        toAxis.m11 = std::cos(axis);
        toAxis.m12 = std::sin(axis);
        toAxis.m21 = -std::sin(axis);
        toAxis.m22 = std::cos(axis);
        Transform3D shear;
        shear.m21 = std::tan(skew);
        Transform3D fromAxis;
        fromAxis.m11 = std::cos(axis);
        fromAxis.m12 = -std::sin(axis);
        fromAxis.m21 = std::sin(axis);
        fromAxis.m22 = std::cos(axis);
        t = Transform3D::concat(Transform3D::concat(fromAxis, Transform3D::concat(shear, toAxis)), t);
    }
    if (properties.scale) {
        const LottieVector3D scale = properties.scale->value();
        t = t.scale(scale.x * 0.01, scale.y * 0.01, 1);
    }
    return t.translate(-anchor.x, -anchor.y, 0);
}

void TextAnimatorNode::regenerateOutputs(double) {
    const TextAnimatorNodeProperties& properties = *textAnimatorProperties_;
    TextOutputNode& output = *textOutputNode_;
    output.setXform(transform());
    output.setOpacity(1);
    output.setStrokeColor(colorOf(properties.strokeColor));
    output.setFillColor(colorOf(properties.fillColor));
    // Only what this animator sets; the rest comes from the animators before it.
    output.setTracking(numberOf(properties.tracking));
    output.setStrokeWidth(numberOf(properties.strokeWidth));
    output.setStart(numberOf(properties.start));
    output.setEnd(numberOf(properties.end));
    const std::optional<double> opacity = numberOf(properties.selectedRangeOpacity);
    output.setSelectedRangeOpacity(opacity ? std::optional<double>(*opacity * 0.01) : std::nullopt);
}

}  // namespace lottie
