#include "Platform/Compositor/Animation.h"

#include <typeinfo>

#include "Platform/Graphics/HashCombine.h"

namespace platform::compositor {

bool Animation::sameAs(const Animation& other) const {
    return typeid(*this) == typeid(other) && timing_ == other.timing_ && timingFunction_ == other.timingFunction_ &&
           removedOnCompletion_ == other.removedOnCompletion_ && delegate_ == other.delegate_;
}

std::size_t Animation::contentHash() const {
    std::size_t seed = typeid(*this).hash_code();
    for (double number : {timing_.beginTime, timing_.duration, timing_.speed, timing_.timeOffset}) {
        graphics::hashCombine(seed, std::hash<double>{}(number));
    }
    return seed;
}

void Animation::apply(double parentTime, AnimationTarget& target) const {
    const MediaTiming::State state = timing_.evaluate(parentTime);
    if (!state.simpleTime) {
        return;
    }
    applyAtSimpleTime(*state.simpleTime, timing_.simpleDuration(), target);
}

double Animation::easedFraction(double simpleTime, double simpleDuration) const {
    const double fraction = simpleDuration > 0 ? simpleTime / simpleDuration : 1.0;
    return timingFunction_ ? timingFunction_->evaluate(fraction) : fraction;
}

}  // namespace platform::compositor
