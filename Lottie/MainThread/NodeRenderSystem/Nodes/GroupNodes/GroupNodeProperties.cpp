#include "Lottie/MainThread/NodeRenderSystem/Nodes/GroupNodes/GroupNodeProperties.h"

#include <cmath>
#include <numbers>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/SingleValueProvider.h"

namespace lottie {

namespace {

using platform::graphics::Transform3D;

template <class T>
std::shared_ptr<NodeProperty<T>> property(const ShapeTransform* transform,
                                          KeyframeGroupPtr<T> (ShapeTransform::*group)() const, const T& fallback) {
    if (!transform) return makeSingleValueProperty(fallback);
    return makeKeyframeProperty((transform->*group)(), fallback);
}

}  // namespace

GroupNodeProperties::GroupNodeProperties(const ShapeTransform* transform)
    : NodePropertyMap("Transform"),
      anchor(property(transform, &ShapeTransform::anchor, LottieVector3D())),
      position(property(transform, &ShapeTransform::position, LottieVector3D())),
      scale(property(transform, &ShapeTransform::scale, LottieVector3D(100, 100, 100))),
      rotationX(property(transform, &ShapeTransform::rotationX, LottieVector1D(0))),
      rotationY(property(transform, &ShapeTransform::rotationY, LottieVector1D(0))),
      rotationZ(property(transform, &ShapeTransform::rotationZ, LottieVector1D(0))),
      opacity(property(transform, &ShapeTransform::opacity, LottieVector1D(100))),
      skew(property(transform, &ShapeTransform::skew, LottieVector1D(0))),
      skewAxis(property(transform, &ShapeTransform::skewAxis, LottieVector1D(0))) {
    add(anchor, {"Anchor Point"});
    add(position, {"Position"});
    add(scale, {"Scale"});
    add(rotationX, {"Rotation X"});
    add(rotationY, {"Rotation Y"});
    add(rotationZ, {"Rotation", "Rotation Z"});
    add(opacity, {"Opacity"});
    add(skew, {"Skew"});
    add(skewAxis, {"Skew Axis"});
}

Transform3D GroupNodeProperties::caTransform() const {
    constexpr double degrees = std::numbers::pi / 180;
    const LottieVector3D& anchorValue = anchor->value();
    const LottieVector3D& positionValue = position->value();
    const LottieVector3D& scaleValue = scale->value();
    Transform3D transform = Transform3D::makeTranslation(positionValue.x, positionValue.y, 0)
                                .rotate(rotationX->value().value * degrees, 1, 0, 0)
                                .rotate(rotationY->value().value * degrees, 0, 1, 0)
                                .rotate(rotationZ->value().value * degrees, 0, 0, 1);
    const double skewAngle = skew->value().value * degrees;
    const double axisAngle = skewAxis->value().value * degrees;
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
