#pragma once
// Animations played together, each timed in the group's own time: a child's begin
// time, speed and offset count from the group's simple time (after the group's
// repeats, reversal and timing function), so a group can clip, repeat, reverse and
// shift everything inside it at once. Children later in the list override earlier
// ones on the same key path. Children's delegates are not told anything; the
// group's delegate is. Stands in for the platform's animation group.
//
// Children given through setAnimations() are the group's own: a copy of the
// group copies them, so that a copy never shares them with the original (nor
// with whoever handed them in). Children given through setSharedAnimations()
// never change and may be held by other groups too (the same animation of
// every view of a document): a copy shares them.

#include <vector>

#include "Platform/Compositor/Animation.h"

namespace platform::compositor {

class AnimationGroup : public Animation {
public:
    AnimationGroup() = default;
    // Copies the children too, unless they were given as shared.
    AnimationGroup(const AnimationGroup& other);

    static std::shared_ptr<AnimationGroup> make() { return std::make_shared<AnimationGroup>(); }

    std::shared_ptr<Animation> clone() const override { return std::make_shared<AnimationGroup>(*this); }

    const std::vector<std::shared_ptr<const Animation>>& animations() const { return animations_; }
    // Null entries are dropped.
    void setAnimations(std::vector<std::shared_ptr<Animation>> animations);
    void setSharedAnimations(std::vector<std::shared_ptr<const Animation>> animations);
    bool sharesAnimations() const { return sharesAnimations_; }

    bool drivesKeyPath(std::string_view keyPath) const override;
    bool drivesOnly(const std::function<bool(std::string_view)>& accepts) const override;
    bool sameAs(const Animation& other) const override;
    std::size_t contentHash() const override;

protected:
    bool holdsOneValue() const override;
    void applyAtSimpleTime(double simpleTime, double simpleDuration, AnimationTarget& target) const override;

private:
    std::vector<std::shared_ptr<const Animation>> animations_;
    bool sharesAnimations_ = false;
};

}  // namespace platform::compositor
