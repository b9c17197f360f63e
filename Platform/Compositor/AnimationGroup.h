#pragma once
// Animations played together, each timed in the group's own time: a child's begin
// time, speed and offset count from the group's simple time (after the group's
// repeats, reversal and timing function), so a group can clip, repeat, reverse and
// shift everything inside it at once. Children later in the list override earlier
// ones on the same key path. Children's delegates are not told anything; the
// group's delegate is. Stands in for the platform's animation group.

#include <vector>

#include "Platform/Compositor/Animation.h"

namespace platform::compositor {

class AnimationGroup : public Animation {
public:
    AnimationGroup() = default;
    // Copies the children too, so that a copy never shares them with the original.
    AnimationGroup(const AnimationGroup& other);

    static std::shared_ptr<AnimationGroup> make() { return std::make_shared<AnimationGroup>(); }

    std::shared_ptr<Animation> clone() const override { return std::make_shared<AnimationGroup>(*this); }

    const std::vector<std::shared_ptr<Animation>>& animations() const { return animations_; }
    // Null entries are dropped.
    void setAnimations(std::vector<std::shared_ptr<Animation>> animations);

    bool drivesKeyPath(std::string_view keyPath) const override;
    bool drivesOnly(const std::function<bool(std::string_view)>& accepts) const override;

protected:
    bool holdsOneValue() const override;
    void applyAtSimpleTime(double simpleTime, double simpleDuration, AnimationTarget& target) const override;

private:
    std::vector<std::shared_ptr<Animation>> animations_;
};

}  // namespace platform::compositor
