#include "Lottie/CoreAnimation/OpacityAnimation.h"

#include "Lottie/CoreAnimation/LayerProperties.h"
#include "Lottie/CoreAnimation/PropertyAnimation.h"

namespace lottie {

void OpacityAnimation::animateOpacity(platform::compositor::Layer& layer, const KeyframeGroup<LottieVector1D>& opacity,
                                      const LayerAnimationContext& context) {
    PropertyAnimation::add<LottieVector1D>(
        layer, LayerProperties::opacity(), opacity,
        [](const LottieVector1D& percent) { return platform::compositor::AnimatableValue(percent.value / 100); },
        context);
}

}  // namespace lottie
