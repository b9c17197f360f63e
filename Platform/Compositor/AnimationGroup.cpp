#include "Platform/Compositor/AnimationGroup.h"

#include <algorithm>

namespace platform::compositor {

AnimationGroup::AnimationGroup(const AnimationGroup& other) : Animation(other) {
    animations_.reserve(other.animations_.size());
    for (const std::shared_ptr<Animation>& child : other.animations_) {
        animations_.push_back(child->clone());
    }
}

void AnimationGroup::setAnimations(std::vector<std::shared_ptr<Animation>> animations) {
    std::erase(animations, nullptr);
    animations_ = std::move(animations);
}

bool AnimationGroup::holdsOneValue() const {
    const double simpleDuration = timing().simpleDuration();
    return std::all_of(animations_.begin(), animations_.end(), [simpleDuration](const auto& animation) {
        return animation->presentsOneValueWithin(simpleDuration);
    });
}

bool AnimationGroup::drivesKeyPath(std::string_view keyPath) const {
    return std::any_of(animations_.begin(), animations_.end(),
                       [keyPath](const auto& child) { return child->drivesKeyPath(keyPath); });
}

bool AnimationGroup::drivesOnly(const std::function<bool(std::string_view)>& accepts) const {
    return std::all_of(animations_.begin(), animations_.end(),
                       [&accepts](const auto& child) { return child->drivesOnly(accepts); });
}

void AnimationGroup::applyAtSimpleTime(double simpleTime, double simpleDuration, AnimationTarget& target) const {
    // Without a timing function the children see the simple time itself, unrounded.
    const double groupTime =
        timingFunction() ? easedFraction(simpleTime, simpleDuration) * simpleDuration : simpleTime;
    for (const std::shared_ptr<Animation>& child : animations_) {
        child->apply(groupTime, target);
    }
}

}  // namespace platform::compositor
