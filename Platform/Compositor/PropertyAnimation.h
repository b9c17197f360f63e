#pragma once
// An animation of one layer property, named by its whole key-path text
// ("opacity", "transform.rotation.z", "currentFrame"). The base of basic and
// keyframe animations; an additive one adds its value to what the layer presents
// so far instead of replacing it.

#include <string>

#include "Platform/Compositor/Animation.h"

namespace platform::compositor {

class PropertyAnimation : public Animation {
public:
    const std::string& keyPath() const { return keyPath_; }
    void setKeyPath(std::string keyPath) { keyPath_ = std::move(keyPath); }

    bool isAdditive() const { return additive_; }
    void setAdditive(bool additive) { additive_ = additive; }

    bool drivesKeyPath(std::string_view keyPath) const override { return keyPath == keyPath_; }
    bool sameAs(const Animation& other) const override;
    std::size_t contentHash() const override;
    bool drivesOnly(const std::function<bool(std::string_view)>& accepts) const override {
        return accepts(keyPath_);
    }

protected:
    explicit PropertyAnimation(std::string keyPath) : keyPath_(std::move(keyPath)) {}
    PropertyAnimation(const PropertyAnimation&) = default;

    // The value at an eased fraction of the simple duration; `current` is what the
    // layer presents so far. None leaves the property alone.
    virtual std::optional<AnimatableValue> valueAt(double fraction,
                                                   const std::optional<AnimatableValue>& current) const = 0;
    // Whether valueAt reads `current`: when it does not, and the animation
    // does not add to what is presented, it is not asked of the layer.
    virtual bool readsPresentedValue() const { return true; }

private:
    void applyAtSimpleTime(double simpleTime, double simpleDuration, AnimationTarget& target) const final;

    std::string keyPath_;
    bool additive_ = false;
};

}  // namespace platform::compositor
