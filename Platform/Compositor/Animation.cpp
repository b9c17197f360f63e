#include "Platform/Compositor/Animation.h"

namespace platform::compositor {

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
