#include "Lottie/CoreAnimation/CombinedTransformAnimation.h"

#include <cmath>
#include <numbers>
#include <tuple>

#include "Lottie/CoreAnimation/AnimationTimingWrapper.h"
#include "Lottie/CoreAnimation/KeyframeAnimationBuilder.h"
#include "Lottie/CoreAnimation/KeyframesCombined.h"
#include "Lottie/CoreAnimation/LayerProperties.h"
#include "Lottie/CoreAnimation/TransformInterpolation.h"
#include "Platform/Compositor/ComputedAnimation.h"

namespace lottie {

using platform::graphics::Transform3D;

namespace {

double radians(double degrees) { return degrees * std::numbers::pi / 180; }

template <class T>
KeyframeGroupPtr<T> orStatic(KeyframeGroupPtr<T> group, T value) {
    return group ? group : std::make_shared<const KeyframeGroup<T>>(std::move(value));
}

}  // namespace

bool CombinedTransformAnimation::hasSkew(const TransformModel& transform) {
    const auto skew = transform.skew();
    const auto axis = transform.skewAxis();
    if (!skew || !axis || skew->keyframes().empty() || axis->keyframes().empty()) return false;
    for (const auto& keyframe : skew->keyframes()) {
        if (!(keyframe.value().value == 0)) return true;
    }
    return false;
}

bool CombinedTransformAnimation::hasSkewAnimation(const TransformModel& transform) {
    return hasSkew(transform) && (transform.skew()->keyframes().size() > 1 || transform.skewAxis()->keyframes().size() > 1);
}

Transform3D CombinedTransformAnimation::combinedTransformMatrix(const Components& c, bool splitPosition) {
    const double tx = splitPosition ? c.positionX : c.position.x;
    const double ty = splitPosition ? c.positionY : c.position.y;
    // A turn or a skew of nothing leaves a finite matrix as it is, so it is
    // not multiplied in: a moving transform builds this matrix ten times a
    // frame. (Multiplied into one holding an infinity it gives no number,
    // which it still does.)
    bool finite = std::isfinite(tx) && std::isfinite(ty);
    Transform3D matrix = Transform3D::makeTranslation(tx, ty, 0);
    for (const auto& [angle, x, y, z] : {std::tuple{c.rotationX, 1, 0, 0}, std::tuple{c.rotationY, 0, 1, 0},
                                         std::tuple{c.rotationZ, 0, 0, 1}}) {
        if (finite && angle == 0) continue;
        finite = finite && std::isfinite(angle);
        matrix = matrix.rotate(radians(angle), x, y, z);
    }
    if (finite && c.skew == 0 && c.skewAxis == 0) {
        return matrix.scale(c.scale.x * 0.01, c.scale.y * 0.01, 1).translate(-c.anchorPoint.x, -c.anchorPoint.y, 0);
    }
    const double axis = radians(c.skewAxis);
    const double sine = std::sin(axis);
    const double cosine = std::cos(axis);
    const double shear = std::tan(c.skew * -std::numbers::pi / 180);
    Transform3D shearing;
    shearing.m21 = shear;
    Transform3D toAxis;
    toAxis.m11 = cosine, toAxis.m12 = sine, toAxis.m21 = -sine, toAxis.m22 = cosine;
    Transform3D fromAxis;
    fromAxis.m11 = cosine, fromAxis.m12 = -sine, fromAxis.m21 = sine, fromAxis.m22 = cosine;
    const Transform3D skewing = Transform3D::concat(fromAxis, Transform3D::concat(shearing, toAxis));
    matrix = Transform3D::concat(skewing, matrix);
    return matrix.scale(c.scale.x * 0.01, c.scale.y * 0.01, 1).translate(-c.anchorPoint.x, -c.anchorPoint.y, 0);
}

bool CombinedTransformAnimation::animateSamplesWhenAsked(platform::compositor::Layer& layer,
                                                         const TransformModel& transform,
                                                         const CombinedTransformSamples::Components& components,
                                                         bool splitPosition, const LayerAnimationContext& context) {
    // The compositor asks at a fraction of the whole animation, which the
    // layer's simple remapping makes a straight function of its own frames.
    const double atZero = context.progress(0);
    const double perFrame = context.progress(1) - atZero;
    if (!std::isfinite(atZero) || !std::isfinite(perFrame) || !(perFrame > 0)) return false;
    const SamplingAccount account = context.samplingAccount();
    const auto make = [&] {
        auto samples = CombinedTransformSamples::make(components, splitPosition);
        if (samples) account.charge(1, samples->bytes());
        return samples;
    };
    // Made once a pass for all the copies of the transform, or by the pass run ahead.
    using Samples = std::shared_ptr<const CombinedTransformSamples>;
    const Samples samples = context.passResults ? *context.passResults->shared<Samples>(&transform, 0, account, make)
                                                : make();
    if (!samples) return false;
    if (context.derivesOnly) return true;
    const std::string& keyPath = LayerProperties::transform().keyPath;
    auto animation = platform::compositor::ComputedAnimation::make(keyPath, samples, -atZero / perFrame, 1 / perFrame);
    layer.addAnimation(AnimationTimingWrapper::wrappedInTimingGroup(animation, context, layer), keyPath);
    return true;
}

void CombinedTransformAnimation::animateCombinedTransform(platform::compositor::Layer& layer,
                                                          const TransformModel& transform,
                                                          const LayerAnimationContext& context) {
    const bool splitPosition = transform.positionX() && transform.positionY();
    const LottieVector3D origin(0, 0, 0);
    const LottieVector1D zero(0);
    const auto anchor = orStatic(transform.anchorPoint(), origin);
    const auto position = orStatic(transform.position(), origin);
    const auto x = orStatic(transform.positionX(), zero);
    const auto y = orStatic(transform.positionY(), zero);
    const auto scale = orStatic(transform.scale(), LottieVector3D(100, 100, 100));
    const auto rotationX = orStatic(transform.rotationX(), zero);
    const auto rotationY = orStatic(transform.rotationY(), zero);
    const auto rotationZ = orStatic(transform.rotationZ(), zero);
    const auto skew = orStatic(transform.skew(), zero);
    const auto skewAxis = orStatic(transform.skewAxis(), zero);
    // Matrices blend by their decomposition, which follows the components only
    // while nothing but a straight move changes: a turn about an anchor point,
    // a scale through zero (which decomposes as a half turn) or a motion path
    // would go astray between keyframes. So a moving matrix is sampled each
    // tenth of a frame, each component with its own easing, and blended from
    // sample to sample, where the decomposition is as good as exact. Those
    // of a flipped layer are worked out when the compositor asks for them:
    // kept, ten a frame, they would cost far more than the layer's own
    // keyframes (a skew's stay samples made beforehand, as do those under
    // complex time remapping, which resamples them).
    const bool sampled = anchor->keyframes().size() > 1 || position->keyframes().size() > 1 ||
                         x->keyframes().size() > 1 || y->keyframes().size() > 1 || scale->keyframes().size() > 1 ||
                         rotationX->keyframes().size() > 1 || rotationY->keyframes().size() > 1 ||
                         rotationZ->keyframes().size() > 1 || hasSkewAnimation(transform);
    const SamplingAccount account = context.samplingAccount();
    if (sampled && !context.mustUseComplexTimeRemapping && !hasSkew(transform) &&
        animateSamplesWhenAsked(layer, transform,
                                {anchor, position, x, y, scale, rotationX, rotationY, rotationZ, skew, skewAxis},
                                splitPosition, context)) {
        return;
    }
    const auto make = [&] {
        KeyframeGroup<Transform3D> matrices = KeyframesCombined::combined(
            account, sampled || context.mustUseComplexTimeRemapping,
            [splitPosition](const LottieVector3D& anchor, const LottieVector3D& position, const LottieVector1D& x,
                            const LottieVector1D& y, const LottieVector3D& scale, const LottieVector1D& rotationX,
                            const LottieVector1D& rotationY, const LottieVector1D& rotationZ, const LottieVector1D& skew,
                            const LottieVector1D& skewAxis) {
                return combinedTransformMatrix({anchor, position, x.value, y.value, scale, rotationX.value,
                                                rotationY.value, rotationZ.value, skew.value, skewAxis.value},
                                               splitPosition);
            },
            *anchor, *position, *x, *y, *scale, *rotationX, *rotationY, *rotationZ, *skew, *skewAxis);
        return sampled ? KeyframesCombined::blendedSamples(matrices, *anchor, *position, *x, *y, *scale, *rotationX,
                                                           *rotationY, *rotationZ, *skew, *skewAxis)
                       : matrices;
    };
    // The matrices depend on the transform alone (and on whether the layer
    // is remapped): the pass works them out once for all its copies, or takes
    // them from the pass run ahead of it.
    const std::shared_ptr<const KeyframeGroup<Transform3D>> matrices =
        context.passResults ? context.passResults->shared<KeyframeGroup<Transform3D>>(
                                  &transform, context.mustUseComplexTimeRemapping ? 1 : 0, account, make)
                            : std::make_shared<const KeyframeGroup<Transform3D>>(make());
    KeyframeAnimationBuilder::attach<Transform3D>(
        LayerProperties::transform(), *matrices,
        [](const Transform3D& matrix) { return platform::compositor::AnimatableValue(matrix); }, context, layer);
}

}  // namespace lottie
