#include "Lottie/MainThread/NodeRenderSystem/Nodes/GroupNodes/GroupNodeProperties.h"

#include <cmath>
#include <numbers>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/SingleValueProvider.h"

namespace lottie {

namespace {

using platform::graphics::Transform3D;

template <class T>
bool isAnimated(const ShapeTransform* transform, KeyframeGroupPtr<T> (ShapeTransform::*part)() const) {
    if (!transform) return false;
    const KeyframeGroupPtr<T> group = (transform->*part)();
    return group && group->keyframes().size() > 1;
}

const LottieVector3D origin;
const LottieVector3D fullScale(100, 100, 100);
const LottieVector1D zero(0);
const LottieVector1D fullOpacity(100);

}  // namespace

template <class T>
void GroupNodeProperties::makePart(Slot slot, Part<T> part, const T& fallback, std::initializer_list<const char*> names,
                                   bool animatedOnly) {
    if (slots_.has(slot) || (animatedOnly && !isAnimated(transform_.get(), part))) return;
    // A group without a transform item re-reads its defaults at every frame.
    add(transform_ ? makeKeyframeProperty((transform_.get()->*part)(), fallback) : makeSingleValueProperty(fallback),
        names);
    slots_.set(slot, properties().size() - 1);
}

// The one value a part without a property holds is the model's, or the
// fallback where the model has none, as a property over it would evaluate.
template <class T>
T GroupNodeProperties::currentValue(Slot slot, Part<T> part, const T& fallback) const {
    if (const NodeProperty<T>* property = slots_.template get<T>(*this, slot)) return property->value();
    if (!transform_) return fallback;
    const KeyframeGroupPtr<T> group = (transform_.get()->*part)();
    return group && !group->keyframes().empty() ? group->keyframes().front().value() : fallback;
}

GroupNodeProperties::GroupNodeProperties(std::shared_ptr<const ShapeTransform> transform)
    : NodePropertyMap("Transform"), transform_(std::move(transform)) {
    makeProperties(true);
}

void GroupNodeProperties::makeProperties(bool animatedOnly) {
    if (complete_) return;
    makePart(Slot::anchor, &ShapeTransform::anchor, origin, {"Anchor Point"}, animatedOnly);
    makePart(Slot::position, &ShapeTransform::position, origin, {"Position"}, animatedOnly);
    makePart(Slot::scale, &ShapeTransform::scale, fullScale, {"Scale"}, animatedOnly);
    makePart(Slot::rotationX, &ShapeTransform::rotationX, zero, {"Rotation X"}, animatedOnly);
    makePart(Slot::rotationY, &ShapeTransform::rotationY, zero, {"Rotation Y"}, animatedOnly);
    makePart(Slot::rotationZ, &ShapeTransform::rotationZ, zero, {"Rotation", "Rotation Z"}, animatedOnly);
    makePart(Slot::opacity, &ShapeTransform::opacity, fullOpacity, {"Opacity"}, animatedOnly);
    makePart(Slot::skew, &ShapeTransform::skew, zero, {"Skew"}, animatedOnly);
    makePart(Slot::skewAxis, &ShapeTransform::skewAxis, zero, {"Skew Axis"}, animatedOnly);
    complete_ = !animatedOnly;
}

KeypathSearchable::Properties GroupNodeProperties::keypathProperties() const {
    // Whoever asks for the properties may read them or replace their values, so
    // they must exist from now on; the values they start with are the same.
    const_cast<GroupNodeProperties*>(this)->makeProperties(false);
    return NodePropertyMap::keypathProperties();
}

double GroupNodeProperties::opacity() const {
    return currentValue(Slot::opacity, &ShapeTransform::opacity, fullOpacity).value;
}

Transform3D GroupNodeProperties::caTransform() const {
    constexpr double degrees = std::numbers::pi / 180;
    const LottieVector3D anchorValue = currentValue(Slot::anchor, &ShapeTransform::anchor, origin);
    const LottieVector3D positionValue = currentValue(Slot::position, &ShapeTransform::position, origin);
    const LottieVector3D scaleValue = currentValue(Slot::scale, &ShapeTransform::scale, fullScale);
    const auto angle = [this](Slot slot, Part<LottieVector1D> part) {
        return currentValue(slot, part, zero).value * degrees;
    };
    Transform3D transform = Transform3D::makeTranslation(positionValue.x, positionValue.y, 0)
                                .rotate(angle(Slot::rotationX, &ShapeTransform::rotationX), 1, 0, 0)
                                .rotate(angle(Slot::rotationY, &ShapeTransform::rotationY), 0, 1, 0)
                                .rotate(angle(Slot::rotationZ, &ShapeTransform::rotationZ), 0, 0, 1);
    const double skewAngle = angle(Slot::skew, &ShapeTransform::skew);
    const double axisAngle = angle(Slot::skewAxis, &ShapeTransform::skewAxis);
    if (skewAngle != 0) {
        Transform3D shear;
        shear.m21 = std::tan(-skewAngle);
        const double cosine = std::cos(axisAngle);
        const double sine = std::sin(axisAngle);
        Transform3D toAxis;
        toAxis.m11 = cosine;
        toAxis.m12 = sine;
        toAxis.m21 = -sine;
        toAxis.m22 = cosine;
        Transform3D fromAxis;
        fromAxis.m11 = cosine;
        fromAxis.m12 = -sine;
        fromAxis.m21 = sine;
        fromAxis.m22 = cosine;
        const Transform3D skewTransform = Transform3D::concat(fromAxis, Transform3D::concat(shear, toAxis));
        transform = Transform3D::concat(skewTransform, transform);
    }
    return transform.scale(scaleValue.x * 0.01, scaleValue.y * 0.01, 1).translate(-anchorValue.x, -anchorValue.y, 0);
}

}  // namespace lottie
