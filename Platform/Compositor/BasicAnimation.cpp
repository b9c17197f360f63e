#include "Platform/Compositor/BasicAnimation.h"

namespace platform::compositor {

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
