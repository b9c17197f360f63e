#include "Platform/Compositor/AnimationGroup.h"

#include <algorithm>

#include "Platform/Graphics/HashCombine.h"

namespace platform::compositor {

AnimationGroup::AnimationGroup(const AnimationGroup& other)
    : Animation(other), sharesAnimations_(other.sharesAnimations_) {
    if (sharesAnimations_) {
        animations_ = other.animations_;
        return;
    }
    animations_.reserve(other.animations_.size());
    for (const std::shared_ptr<const Animation>& child : other.animations_) {
        animations_.push_back(child->clone());
    }
}

void AnimationGroup::setAnimations(std::vector<std::shared_ptr<Animation>> animations) {
    std::erase(animations, nullptr);
    animations_.assign(animations.begin(), animations.end());
    sharesAnimations_ = false;
}

void AnimationGroup::setSharedAnimations(std::vector<std::shared_ptr<const Animation>> animations) {
    std::erase(animations, nullptr);
    animations_ = std::move(animations);
    sharesAnimations_ = true;
}

bool AnimationGroup::sameAs(const Animation& other) const {
    if (!Animation::sameAs(other)) return false;
    const auto& group = static_cast<const AnimationGroup&>(other);
    return std::equal(animations_.begin(), animations_.end(), group.animations_.begin(), group.animations_.end(),
                      [](const auto& first, const auto& second) { return first == second || first->sameAs(*second); });
}

std::size_t AnimationGroup::contentHash() const {
    std::size_t seed = Animation::contentHash();
    for (const std::shared_ptr<const Animation>& child : animations_) graphics::hashCombine(seed, child->contentHash());
    return seed;
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
    for (const std::shared_ptr<const Animation>& child : animations_) {
        child->apply(groupTime, target);
    }
}

}  // namespace platform::compositor
