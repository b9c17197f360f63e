#include "Lottie/CoreAnimation/DropShadowAnimation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "Lottie/CoreAnimation/KeyframeAnimationBuilder.h"
#include "Lottie/CoreAnimation/KeyframesCombined.h"
#include "Lottie/CoreAnimation/LayerProperties.h"
#include "Lottie/CoreAnimation/ProviderValueConversions.h"

namespace lottie {

using platform::compositor::AnimatableValue;

void DropShadowAnimation::animateDropShadow(platform::compositor::Layer& layer, const DropShadowModel& shadow,
                                            const LayerAnimationContext& context) {
    animateShadowOpacity(layer, shadow, context);
    animateShadowColor(layer, shadow, context);
    animateShadowRadius(layer, shadow, context);
    animateShadowOffset(layer, shadow, context);
}

void DropShadowAnimation::animateShadowOpacity(platform::compositor::Layer& layer, const DropShadowModel& shadow,
                                               const LayerAnimationContext& context) {
    if (const auto opacity = shadow.opacity()) {
        KeyframeAnimationBuilder::attach<LottieVector1D>(
            LayerProperties::shadowOpacity(), *opacity,
            [](const LottieVector1D& percent) { return AnimatableValue(percent.value / 100); }, context, layer);
    }
}

void DropShadowAnimation::animateShadowColor(platform::compositor::Layer& layer, const DropShadowModel& shadow,
                                             const LayerAnimationContext& context) {
    if (const auto color = shadow.color()) {
        KeyframeAnimationBuilder::attach<LottieColor>(
            LayerProperties::shadowColor(), *color,
            [](const LottieColor& value) { return AnimatableValue(ProviderValueConversions::colorOf(value)); }, context,
            layer);
    }
}

void DropShadowAnimation::animateShadowRadius(platform::compositor::Layer& layer, const DropShadowModel& shadow,
                                              const LayerAnimationContext& context) {
    if (const auto radius = shadow.radius()) {
        KeyframeAnimationBuilder::attach<LottieVector1D>(
            LayerProperties::shadowRadius(), *radius,
            [](const LottieVector1D& value) { return AnimatableValue(value.value); }, context, layer);
    }
}

void DropShadowAnimation::animateShadowOffset(platform::compositor::Layer& layer, const DropShadowModel& shadow,
                                              const LayerAnimationContext& context) {
    const auto angle = shadow.angle();
    const auto distance = shadow.distance();
    if (!angle || !distance) return;
    // The compositor moves an offset in a straight line between two keyframes,
    // while the shadow turns along a circle as its angle changes: a turning
    // shadow is sampled, and one that only changes its distance, which moves
    // along a straight line, keeps its keyframes.
    const auto& angles = angle->keyframes();
    const bool turns = std::ranges::any_of(
        angles, [&angles](const auto& keyframe) { return keyframe.value().value != angles.front().value().value; });
    const KeyframeGroup<LottieVector3D> offsets = KeyframesCombined::combined(
        context.samplingAccount(), turns,
        [](const LottieVector1D& degrees, const LottieVector1D& length) {
            const double radians = degrees.value * std::numbers::pi / 180;
            return LottieVector3D(length.value * std::cos(radians), length.value * std::sin(radians), 0);
        },
        *angle, *distance);
    KeyframeAnimationBuilder::attach<LottieVector3D>(
        LayerProperties::shadowOffset(), offsets,
        [](const LottieVector3D& offset) { return AnimatableValue(offset.sizeValue()); }, context, layer);
}

}  // namespace lottie
