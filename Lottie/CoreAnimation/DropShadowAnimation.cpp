#include "Lottie/CoreAnimation/DropShadowAnimation.h"

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
    const KeyframeGroup<LottieVector3D> offsets = KeyframesCombined::combined(
        context.samplingAccount(), false,
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
