#include "Platform/Compositor/PropertyAnimation.h"

#include "Platform/Graphics/HashCombine.h"

namespace platform::compositor {

bool PropertyAnimation::sameAs(const Animation& other) const {
    if (!Animation::sameAs(other)) return false;
    const auto& property = static_cast<const PropertyAnimation&>(other);
    return keyPath_ == property.keyPath_ && additive_ == property.additive_;
}

std::size_t PropertyAnimation::contentHash() const {
    std::size_t seed = Animation::contentHash();
    graphics::hashCombine(seed, std::hash<std::string>{}(keyPath_));
    return seed;
}

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
