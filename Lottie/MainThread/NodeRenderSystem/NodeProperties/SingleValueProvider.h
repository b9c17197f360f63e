#pragma once
// A value provider of one fixed value that reports an update at every frame, so
// a property built on it is re-read whenever its node is evaluated. Used for the
// engine's defaults (an absent group transform, a star without inner radius, a
// solid layer's colour). Owned by the property that was made from it.

#include <memory>
#include <utility>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/TypedValueProvider.h"

namespace lottie {

template <class T>
class SingleValueProvider final : public TypedValueProvider<T> {
public:
    explicit SingleValueProvider(T value) : value_(std::move(value)) {}

    const T& value() const { return value_; }
    void setValue(T value) {
        value_ = std::move(value);
        hasUpdate_ = true;
    }

    T valueAt(AnimationFrameTime) override { return value_; }
    // Nothing clears the flag: the value is always taken again.
    bool hasUpdate(AnimationFrameTime) const override { return hasUpdate_; }
    ValueProviderStorage<T> storage() override { return ValueProviderStorage<T>::singleValue(value_); }

private:
    T value_;
    bool hasUpdate_ = true;
};

// A node property of one fixed value, re-read whenever its node is evaluated.
template <class T>
std::shared_ptr<NodeProperty<T>> makeSingleValueProperty(T value) {
    return NodeProperty<T>::make(std::make_shared<SingleValueProvider<T>>(std::move(value)));
}

}  // namespace lottie
