#include "Lottie/CoreAnimation/GroupGradientPoints.h"

#include "Lottie/CoreAnimation/CombinedTransformAnimation.h"
#include "Lottie/CoreAnimation/KeyframesCombined.h"

namespace lottie {

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
