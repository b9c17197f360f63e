#include "Platform/Compositor/PropertyAnimation.h"

namespace platform::compositor {

void PropertyAnimation::applyAtSimpleTime(double simpleTime, double simpleDuration, AnimationTarget& target) const {
    const std::optional<AnimatableValue> current =
        additive_ || readsPresentedValue() ? target.presentedValue(keyPath_) : std::nullopt;
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
