#include "Lottie/CoreAnimation/GroupGradientPoints.h"

#include <cmath>
#include <optional>

#include "Lottie/CoreAnimation/CombinedTransformAnimation.h"
#include "Lottie/CoreAnimation/KeyframesCombined.h"

namespace lottie {

namespace {

constexpr double tolerance = 1e-9;

bool allZero(const KeyframeGroup<LottieVector1D>& group) {
    for (const auto& keyframe : group.keyframes()) {
        if (std::abs(keyframe.value().value) > tolerance) return false;
    }
    return true;
}

}  // namespace

bool GroupGradientPoints::keepsShapes(const ShapeTransform& transform) {
    if (!allZero(*transform.skew()) || !allZero(*transform.rotationX()) || !allZero(*transform.rotationY())) {
        return false;
    }
    // Each component of the scale moves between keyframes with the same easing,
    // so the two sizes stay equal all the way only if they are equal at both ends
    // and neither component changes sign against the other: a flip from (1, 1) to
    // (-1, 1) passes through (0, 1), while one through (0, 0) stays even.
    std::optional<bool> mirrored;
    for (const auto& keyframe : transform.scale()->keyframes()) {
        const LottieVector3D& scale = keyframe.value();
        if (std::abs(std::abs(scale.x) - std::abs(scale.y)) > tolerance) return false;
        if (std::abs(scale.x) <= tolerance) {
            mirrored.reset();
            continue;
        }
        const bool flipped = (scale.x < 0) != (scale.y < 0);
        if (mirrored && *mirrored != flipped) return false;
        mirrored = flipped;
    }
    return true;
}

KeyframeGroup<LottieVector3D> GroupGradientPoints::inGroupSpace(const KeyframeGroup<LottieVector3D>& point,
                                                                const ShapeTransform& transform,
                                                                const LayerContext& context) {
    // Under a turn, scale or skew that changes, a mapped point does not move in a
    // straight line between keyframes: it is sampled instead.
    const bool curved = transform.scale()->keyframes().size() > 1 || transform.rotationX()->keyframes().size() > 1 ||
                        transform.rotationY()->keyframes().size() > 1 ||
                        transform.rotationZ()->keyframes().size() > 1 || transform.skew()->keyframes().size() > 1 ||
                        transform.skewAxis()->keyframes().size() > 1;
    return KeyframesCombined::combined(
        context.samplingAccount(), curved,
        [](const LottieVector3D& value, const LottieVector3D& anchor, const LottieVector3D& position,
           const LottieVector3D& scale, const LottieVector1D& rotationX, const LottieVector1D& rotationY,
           const LottieVector1D& rotationZ, const LottieVector1D& skew, const LottieVector1D& skewAxis) {
            // The matrix the group's layer shows (the same as the main-thread engine's).
            const auto inverse = CombinedTransformAnimation::combinedTransformMatrix(
                                     {anchor, position, 0, 0, scale, rotationX.value, rotationY.value,
                                      rotationZ.value, skew.value, skewAxis.value},
                                     false)
                                     .affine()
                                     .inverted();
            if (!inverse) return value;
            const platform::graphics::Point mapped = inverse->apply(platform::graphics::Point(value.x, value.y));
            return LottieVector3D(mapped.x, mapped.y, value.z);
        },
        point, *transform.anchor(), *transform.position(), *transform.scale(), *transform.rotationX(),
        *transform.rotationY(), *transform.rotationZ(), *transform.skew(), *transform.skewAxis());
}

}  // namespace lottie
