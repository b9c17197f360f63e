#include "Lottie/CoreAnimation/TransformAnimations.h"

#include <numbers>

#include "Lottie/CoreAnimation/CombinedTransformAnimation.h"
#include "Lottie/CoreAnimation/LayerProperties.h"
#include "Lottie/CoreAnimation/PropertyAnimation.h"

namespace lottie {

using platform::compositor::AnimatableValue;

namespace {

double radians(double degrees) { return degrees * std::numbers::pi / 180; }

template <class T>
void addIfPresent(platform::compositor::Layer& layer, const LayerPropertyDescriptor& property,
                  const KeyframeGroupPtr<T>& group, const KeyframeValueMapping<T>& mapping,
                  const LayerAnimationContext& context) {
    if (group) PropertyAnimation::add<T>(layer, property, *group, mapping, context);
}

}  // namespace

bool TransformAnimations::hasNegativeScaleX(const TransformModel& transform) {
    const KeyframeGroupPtr<LottieVector3D> scale = transform.scale();
    if (!scale) return false;
    for (const auto& keyframe : scale->keyframes()) {
        if (keyframe.value().x < 0) return true;
    }
    return false;
}

void TransformAnimations::addTransformAnimations(platform::compositor::Layer& layer, const TransformModel& transform,
                                                 const LayerAnimationContext& context) {
    if (CombinedTransformAnimation::hasSkew(transform) || hasNegativeScaleX(transform)) {
        CombinedTransformAnimation::animateCombinedTransform(layer, transform, context);
        return;
    }
    animatePosition(layer, transform, context);
    animateAnchorPoint(layer, transform, context);
    animateScale(layer, transform, context);
    animateRotation(layer, transform, context);
}

void TransformAnimations::animatePosition(platform::compositor::Layer& layer, const TransformModel& transform,
                                          const LayerAnimationContext& context) {
    if (const auto position = transform.position()) {
        PropertyAnimation::add<LottieVector3D>(
            layer, LayerProperties::position(), *position,
            [](const LottieVector3D& value) { return AnimatableValue(value.pointValue()); }, context);
        return;
    }
    const auto x = transform.positionX();
    const auto y = transform.positionY();
    if (!x || !y) {
        context.reportCompatibilityIssue(missingPositionMessage);
        return;
    }
    const KeyframeValueMapping<LottieVector1D> plain = [](const LottieVector1D& value) {
        return AnimatableValue(value.value);
    };
    PropertyAnimation::add<LottieVector1D>(layer, LayerProperties::positionX(), *x, plain, context);
    PropertyAnimation::add<LottieVector1D>(layer, LayerProperties::positionY(), *y, plain, context);
}

void TransformAnimations::animateAnchorPoint(platform::compositor::Layer& layer, const TransformModel& transform,
                                             const LayerAnimationContext& context) {
    // The anchor point is a point of the element; the layer's is a fraction of
    // its bounds, as they are while the animations are built.
    const platform::graphics::Size size = layer.bounds().size;
    const auto logger = context.logger;
    addIfPresent<LottieVector3D>(
        layer, LayerProperties::anchorPoint(), transform.anchorPoint(),
        [size, logger](const LottieVector3D& value) {
            if (size.width > 0 && size.height > 0) {
                return AnimatableValue(platform::graphics::Point{value.x / size.width, value.y / size.height});
            }
            if (logger) logger->assertionFailure([] { return std::string(emptyBoundsMessage); }, sourceFile, __LINE__);
            return AnimatableValue(platform::graphics::Point{0, 0});
        },
        context);
}

void TransformAnimations::animateScale(platform::compositor::Layer& layer, const TransformModel& transform,
                                       const LayerAnimationContext& context) {
    addIfPresent<LottieVector3D>(
        layer, LayerProperties::scaleX(), transform.scale(),
        [](const LottieVector3D& value) { return AnimatableValue(value.x / 100); }, context);
    addIfPresent<LottieVector3D>(
        layer, LayerProperties::scaleY(), transform.scale(),
        [](const LottieVector3D& value) { return AnimatableValue(value.y / 100); }, context);
}

void TransformAnimations::animateRotation(platform::compositor::Layer& layer, const TransformModel& transform,
                                          const LayerAnimationContext& context) {
    const KeyframeValueMapping<LottieVector1D> toRadians = [](const LottieVector1D& value) {
        return AnimatableValue(radians(value.value));
    };
    addIfPresent<LottieVector1D>(layer, LayerProperties::rotationX(), transform.rotationX(), toRadians, context);
    addIfPresent<LottieVector1D>(layer, LayerProperties::rotationY(), transform.rotationY(), toRadians, context);
    addIfPresent<LottieVector1D>(layer, LayerProperties::rotationZ(), transform.rotationZ(), toRadians, context);
}

}  // namespace lottie
