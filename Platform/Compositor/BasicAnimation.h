#pragma once
// An animation of one property from one value to another. Without a from value it
// starts at what the layer presents so far; without a to value it ends there;
// with neither it does nothing. Stands in for the platform's basic animation.

#include <optional>

#include "Platform/Compositor/PropertyAnimation.h"

namespace platform::compositor {

class BasicAnimation : public PropertyAnimation {
public:
    explicit BasicAnimation(std::string keyPath = {}) : PropertyAnimation(std::move(keyPath)) {}

    static std::shared_ptr<BasicAnimation> make(std::string keyPath) {
        return std::make_shared<BasicAnimation>(std::move(keyPath));
    }

    std::shared_ptr<Animation> clone() const override { return std::make_shared<BasicAnimation>(*this); }

    const std::optional<AnimatableValue>& fromValue() const { return fromValue_; }
    void setFromValue(std::optional<AnimatableValue> value) { fromValue_ = std::move(value); }
    const std::optional<AnimatableValue>& toValue() const { return toValue_; }
    void setToValue(std::optional<AnimatableValue> value) { toValue_ = std::move(value); }

    BasicAnimation(const BasicAnimation&) = default;

    bool sameAs(const Animation& other) const override;
    std::size_t contentHash() const override;

protected:
    // From and to the same value, replacing what the layer presents.
    bool holdsOneValue() const override {
        return !isAdditive() && fromValue_ && toValue_ && *fromValue_ == *toValue_;
    }

public:

protected:
    std::optional<AnimatableValue> valueAt(double fraction,
                                           const std::optional<AnimatableValue>& current) const override;

private:
    std::optional<AnimatableValue> fromValue_;
    std::optional<AnimatableValue> toValue_;
};

}  // namespace platform::compositor
