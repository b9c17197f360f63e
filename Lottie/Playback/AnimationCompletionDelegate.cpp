#include "Lottie/Playback/AnimationCompletionDelegate.h"

#include "Lottie/Playback/RootAnimationLayer.h"
#include "Platform/Compositor/BasicAnimation.h"
#include "Platform/Compositor/MediaClock.h"

namespace lottie {

void AnimationCompletionDelegate::animationDidStop(
    const std::shared_ptr<const platform::compositor::Animation>& animation, bool finished) {
    // A delegate speaks once: a second stop (it cannot happen for one attached
    // animation) must not call the block again.
    if (ignoreDelegate_ || animationState_ != AnimationContextState::playing) return;
    animationState_ = finished ? AnimationContextState::complete : AnimationContextState::cancelled;
    if (auto layer = animationLayer(); layer && animationKey_) {
        // The frame the finished animation rests on, read before it is taken away.
        // It is its target value only when it ends going forward: a reversed pass,
        // an auto-reversed repeat or a fractional count ends elsewhere, and jumping
        // to the target would show a frame the playback never reached.
        std::optional<double> finalFrame;
        if (finished) {
            if (auto basic = std::dynamic_pointer_cast<const platform::compositor::BasicAnimation>(animation)) {
                const auto presented =
                    layer->presentedValue(basic->keyPath(), platform::compositor::MediaClock::currentTime());
                if (presented) finalFrame = presented->number();
                if (!finalFrame && basic->toValue()) finalFrame = basic->toValue()->number();
            }
        }
        layer->removeAnimation(*animationKey_);
        if (finalFrame) layer->setCurrentFrame(*finalFrame);
    }
    if (completionBlock_) {
        // A copy: the block may replace the request that owns this delegate.
        CompletionBlock block = completionBlock_;
        block(finished);
    }
}

}  // namespace lottie
