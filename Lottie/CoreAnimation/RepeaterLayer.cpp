#include "Lottie/CoreAnimation/RepeaterLayer.h"

#include <algorithm>

#include "Lottie/CoreAnimation/KeyframeAnimationBuilder.h"
#include "Lottie/CoreAnimation/KeyframesCombined.h"
#include "Lottie/CoreAnimation/LayerProperties.h"
#include "Lottie/CoreAnimation/TransformAnimations.h"

namespace lottie {

namespace {

bool alwaysOpaque(const KeyframeGroup<LottieVector1D>& opacity) {
    return std::ranges::all_of(opacity.keyframes(), [](const auto& keyframe) { return keyframe.value().value == 100; });
}

}  // namespace

KeyframeGroupPtr<LottieVector1D> RepeaterLayer::copyOpacity(const Repeater& repeater, int index, int copies,
                                                            const SamplingAccount& account) {
    const auto& start = repeater.startOpacity();
    const auto& end = repeater.endOpacity();
    if (!start || !end || (alwaysOpaque(*start) && alwaysOpaque(*end))) return nullptr;
    const double share = copies > 1 ? static_cast<double>(index) / (copies - 1) : 0;
    return std::make_shared<const KeyframeGroup<LottieVector1D>>(KeyframesCombined::combined(
        account, false,
        [share](const LottieVector1D& first, const LottieVector1D& last) {
            return LottieVector1D(first.value + (last.value - first.value) * share);
        },
        *start, *end));
}

void RepeaterLayer::setupAnimations(const LayerAnimationContext& context) {
    BaseAnimationLayer::setupAnimations(context);
    TransformAnimations::addTransformAnimations(*this, *transform_, context);
    // Straight from the keyframes: an "Opacity" value provider names the
    // group's own opacity, which the group layer inside already applies.
    if (opacity_) {
        KeyframeAnimationBuilder::attach<LottieVector1D>(
            LayerProperties::opacity(), *opacity_,
            [](const LottieVector1D& percent) { return platform::compositor::AnimatableValue(percent.value / 100); },
            context, *this);
    }
}

}  // namespace lottie
