#include "Platform/Compositor/ComputedAnimation.h"

#include <functional>

#include "Platform/Graphics/HashCombine.h"

namespace platform::compositor {

bool ComputedAnimation::sameAs(const Animation& other) const {
    if (!PropertyAnimation::sameAs(other)) return false;
    const auto& computed = static_cast<const ComputedAnimation&>(other);
    return source_ == computed.source_ && origin_ == computed.origin_ && scale_ == computed.scale_;
}

std::size_t ComputedAnimation::contentHash() const {
    std::size_t seed = PropertyAnimation::contentHash();
    graphics::hashCombine(seed, std::hash<const Source*>{}(source_.get()));
    graphics::hashCombine(seed, std::hash<double>{}(origin_));
    graphics::hashCombine(seed, std::hash<double>{}(scale_));
    return seed;
}

std::optional<AnimatableValue> ComputedAnimation::valueAt(double fraction,
                                                          const std::optional<AnimatableValue>& /*current*/) const {
    if (!source_) return std::nullopt;
    return source_->valueAt(origin_ + fraction * scale_);
}

}  // namespace platform::compositor
