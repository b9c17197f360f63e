#include "Platform/Compositor/PropertyAnimation.h"

namespace platform::compositor {

void PropertyAnimation::applyAtSimpleTime(double simpleTime, double simpleDuration, AnimationTarget& target) const {
    const std::optional<AnimatableValue> current = target.presentedValue(keyPath_);
    std::optional<AnimatableValue> value = valueAt(easedFraction(simpleTime, simpleDuration), current);
    if (!value) {
        return;
    }
    if (additive_ && current) {
        if (std::optional<AnimatableValue> sum = AnimatableValue::add(*current, *value)) {
            value = std::move(sum);
        }
    }
    target.setPresentedValue(keyPath_, *value);
}

}  // namespace platform::compositor
