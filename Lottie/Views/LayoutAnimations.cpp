#include "Lottie/Views/LayoutAnimations.h"

#include "Platform/Compositor/BasicAnimation.h"

namespace lottie {

namespace {

using platform::compositor::Animation;
using platform::compositor::AnimatableValue;
using platform::compositor::BasicAnimation;

// A copy of the running animation when it is a basic one (so duration, timing
// function and every other timing value carry over), otherwise a new one.
// The copy reports to nobody: a layout animation must not speak for the
// request whose delegate the original carries.
std::shared_ptr<BasicAnimation> timedLike(const Animation& running, const char* keyPath) {
    std::shared_ptr<BasicAnimation> animation;
    if (dynamic_cast<const BasicAnimation*>(&running)) {
        animation = std::static_pointer_cast<BasicAnimation>(running.clone());
        animation->setDelegate(nullptr);
    } else {
        animation = BasicAnimation::make(keyPath);
    }
    animation->setKeyPath(keyPath);
    animation->setAdditive(false);
    animation->setRemovedOnCompletion(true);
    return animation;
}

}  // namespace

bool LayoutAnimations::follow(const platform::compositor::Layer& animationLayer,
                              platform::compositor::Layer& rendering, const ContentModeFit& fit) {
    const std::vector<std::string> keys = animationLayer.animationKeys();
    if (keys.empty()) return false;
    const std::shared_ptr<const Animation> running = animationLayer.animation(keys.front());
    if (!running) return false;
    rendering.removeAnimation(positionKey);
    rendering.removeAnimation(transformKey);
    const std::shared_ptr<platform::compositor::Layer> presented = rendering.presentation();
    const platform::compositor::Layer& from = presented ? *presented : rendering;
    auto position = timedLike(*running, "position");
    position->setFromValue(AnimatableValue(from.position()));
    position->setToValue(AnimatableValue(fit.position));
    auto transform = timedLike(*running, "transform");
    transform->setFromValue(AnimatableValue(from.transform()));
    transform->setToValue(AnimatableValue(fit.transform));
    rendering.setPosition(fit.position);
    rendering.setTransform(fit.transform);
    rendering.setAnchorPoint(animationLayer.anchorPoint());
    rendering.addAnimation(position, positionKey);
    rendering.addAnimation(transform, transformKey);
    return true;
}

}  // namespace lottie
