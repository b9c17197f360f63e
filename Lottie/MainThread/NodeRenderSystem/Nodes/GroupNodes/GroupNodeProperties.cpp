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

// The part's node property when it has one, else the one value it holds: the
// model's, or the fallback where the model has none, as a property over it
// would evaluate.
template <class T>
T currentValue(const std::shared_ptr<NodeProperty<T>>& property, const ShapeTransform* transform,
               KeyframeGroupPtr<T> (ShapeTransform::*part)() const, const T& fallback) {
    if (property) return property->value();
    if (!transform) return fallback;
    const KeyframeGroupPtr<T> group = (transform->*part)();
    return group && !group->keyframes().empty() ? group->keyframes().front().value() : fallback;
}

const LottieVector3D origin;
const LottieVector3D fullScale(100, 100, 100);
const LottieVector1D zero(0);
const LottieVector1D fullOpacity(100);

}  // namespace

template <class T>
void GroupNodeProperties::makePart(std::shared_ptr<NodeProperty<T>>& property, Part<T> part, const T& fallback,
                                   std::initializer_list<const char*> names, bool animatedOnly) {
    if (property || (animatedOnly && !isAnimated(transform_.get(), part))) return;
    // A group without a transform item re-reads its defaults at every frame.
    property = transform_ ? makeKeyframeProperty((transform_.get()->*part)(), fallback)
                          : makeSingleValueProperty(fallback);
    add(property, names);
}

GroupNodeProperties::GroupNodeProperties(std::shared_ptr<const ShapeTransform> transform)
    : NodePropertyMap("Transform"), transform_(std::move(transform)) {
    makeProperties(true);
}

void GroupNodeProperties::makeProperties(bool animatedOnly) {
    if (complete_) return;
    makePart(anchor_, &ShapeTransform::anchor, origin, {"Anchor Point"}, animatedOnly);
    makePart(position_, &ShapeTransform::position, origin, {"Position"}, animatedOnly);
    makePart(scale_, &ShapeTransform::scale, fullScale, {"Scale"}, animatedOnly);
    makePart(rotationX_, &ShapeTransform::rotationX, zero, {"Rotation X"}, animatedOnly);
    makePart(rotationY_, &ShapeTransform::rotationY, zero, {"Rotation Y"}, animatedOnly);
    makePart(rotationZ_, &ShapeTransform::rotationZ, zero, {"Rotation", "Rotation Z"}, animatedOnly);
    makePart(opacity_, &ShapeTransform::opacity, fullOpacity, {"Opacity"}, animatedOnly);
    makePart(skew_, &ShapeTransform::skew, zero, {"Skew"}, animatedOnly);
    makePart(skewAxis_, &ShapeTransform::skewAxis, zero, {"Skew Axis"}, animatedOnly);
    complete_ = !animatedOnly;
}

KeypathSearchable::Properties GroupNodeProperties::keypathProperties() const {
    // Whoever asks for the properties may read them or replace their values, so
    // they must exist from now on; the values they start with are the same.
    const_cast<GroupNodeProperties*>(this)->makeProperties(false);
    return NodePropertyMap::keypathProperties();
}

double GroupNodeProperties::opacity() const {
    return currentValue(opacity_, transform_.get(), &ShapeTransform::opacity, fullOpacity).value;
}

Transform3D GroupNodeProperties::caTransform() const {
    constexpr double degrees = std::numbers::pi / 180;
    const ShapeTransform* model = transform_.get();
    const LottieVector3D anchorValue = currentValue(anchor_, model, &ShapeTransform::anchor, origin);
    const LottieVector3D positionValue = currentValue(position_, model, &ShapeTransform::position, origin);
    const LottieVector3D scaleValue = currentValue(scale_, model, &ShapeTransform::scale, fullScale);
    const auto angle = [model](const std::shared_ptr<NodeProperty<LottieVector1D>>& property,
                                   Part<LottieVector1D> part) {
        return currentValue(property, model, part, zero).value * degrees;
    };
    Transform3D transform = Transform3D::makeTranslation(positionValue.x, positionValue.y, 0)
                                .rotate(angle(rotationX_, &ShapeTransform::rotationX), 1, 0, 0)
                                .rotate(angle(rotationY_, &ShapeTransform::rotationY), 0, 1, 0)
                                .rotate(angle(rotationZ_, &ShapeTransform::rotationZ), 0, 0, 1);
    const double skewAngle = angle(skew_, &ShapeTransform::skew);
    const double axisAngle = angle(skewAxis_, &ShapeTransform::skewAxis);
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
