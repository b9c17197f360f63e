#include "Platform/Compositor/BasicAnimation.h"

#include "Platform/Graphics/HashCombine.h"

namespace platform::compositor {

bool BasicAnimation::sameAs(const Animation& other) const {
    if (!PropertyAnimation::sameAs(other)) return false;
    const auto& basic = static_cast<const BasicAnimation&>(other);
    return fromValue_ == basic.fromValue_ && toValue_ == basic.toValue_;
}

std::size_t BasicAnimation::contentHash() const {
    std::size_t seed = PropertyAnimation::contentHash();
    for (const std::optional<AnimatableValue>& value : {fromValue_, toValue_}) {
        graphics::hashCombine(seed, value ? std::hash<AnimatableValue>{}(*value) : 0);
    }
    return seed;
}

std::optional<AnimatableValue> BasicAnimation::valueAt(double fraction,
                                                       const std::optional<AnimatableValue>& current) const {
    const std::optional<AnimatableValue>& from = fromValue_ ? fromValue_ : current;
    const std::optional<AnimatableValue>& to = toValue_ ? toValue_ : current;
    if (!fromValue_ && !toValue_) {
        return std::nullopt;
    }
    if (!from) {
        return to;
    }
    if (!to) {
        return from;
    }
    return AnimatableValue::blend(*from, *to, fraction);
}

}  // namespace platform::compositor
