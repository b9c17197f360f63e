#pragma once
// One animatable value of a main-thread layer or node: the value for the frame
// last evaluated and the provider that computes it. The provider is normally the
// property's keyframes; a caller may replace it by keypath with a provider of the
// same value type and later restore the original. Owned by its node's property map
// (std::shared_ptr, so keypath searches can hand it out). Main thread only.
//
// Every view of an animation builds its own properties, nearly all of them over
// keyframes of the model. Such a property evaluates the keyframes in place, with
// an interpolator of its own over the model's shared array, and makes the value
// provider object only when a caller asks for one (a keypath search, a provider
// replaced or queried); the provider then takes over the interpolator's span.

#include <any>
#include <memory>
#include <optional>
#include <typeindex>
#include <utility>
#include <variant>
#include <vector>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/KeyframeInterpolatorProvider.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/TypedValueProvider.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/ValueContainer.h"
#include "Lottie/Playback/Keypaths/AnyNodeProperty.h"

namespace lottie {

namespace detail {

// The interpolator a property over keyframes evaluates in place; nothing for
// value types that have no keyframes.
template <class T>
struct InPlaceKeyframes {
    using Type = std::monostate;
};
template <Interpolatable T>
struct InPlaceKeyframes<T> {
    using Type = std::optional<KeyframeInterpolator<T>>;
};

}  // namespace detail

template <class T>
class NodeProperty final : public AnyNodeProperty {
public:
    // `provider` must give values of type T; the engine only makes such properties.
    explicit NodeProperty(std::shared_ptr<TypedValueProvider<T>> provider)
        : valueProvider_(provider), originalValueProvider_(provider), typed_(provider.get()),
          container_(provider->valueAt(0)) {}

    // A property over `keyframes`, evaluated in place until a provider is asked for.
    explicit NodeProperty(std::shared_ptr<const std::vector<Keyframe<T>>> keyframes)
        requires Interpolatable<T>
        : inPlace_(std::in_place, std::move(keyframes), typename KeyframeInterpolator<T>::Sharing{}),
          container_(inPlace_->value(0)) {}

    static std::shared_ptr<NodeProperty> make(std::shared_ptr<TypedValueProvider<T>> provider) {
        return std::make_shared<NodeProperty>(std::move(provider));
    }

    const T& value() const { return container_.outputValue(); }
    const ValueContainer<T>& container() const { return container_; }

    std::shared_ptr<AnyValueProvider> valueProvider() const override {
        makeProvider();
        return valueProvider_;
    }
    std::shared_ptr<AnyValueProvider> originalValueProvider() const override {
        makeProvider();
        return originalValueProvider_;
    }

    bool needsUpdate(double frame) const override {
        if (container_.needsUpdate()) return true;
        if constexpr (Interpolatable<T>) {
            if (inPlace_) return inPlace_->hasUpdate(frame);
        }
        return valueProvider_->hasUpdate(frame);
    }

    void update(double frame) override {
        if constexpr (Interpolatable<T>) {
            if (inPlace_) {
                container_.setValue(inPlace_->value(frame), frame);
                return;
            }
        }
        if (typed_) {
            container_.setValue(typed_->valueAt(frame), frame);
        } else {
            container_.setValue(valueProvider_->valueAtFrame(frame), frame);
        }
    }

    void replaceProvider(std::shared_ptr<AnyValueProvider> provider) override {
        if (!provider || provider->valueType() != std::type_index(typeid(T))) return;
        makeProvider();
        valueProvider_ = std::move(provider);
        typed_ = dynamic_cast<TypedValueProvider<T>*>(valueProvider_.get());
        container_.markStale();
    }

    void restoreOriginalProvider() override {
        makeProvider();
        valueProvider_ = originalValueProvider_;
        typed_ = dynamic_cast<TypedValueProvider<T>*>(valueProvider_.get());
        container_.markStale();
    }

    std::any queriedValue(double frame, bool original) override {
        makeProvider();
        const std::shared_ptr<AnyValueProvider>& provider = original ? originalValueProvider_ : valueProvider_;
        if (!provider) return {};
        std::any value = provider->valueAtFrame(frame);
        // The original provider comes back into use only through
        // restoreOriginalProvider(), which takes its value afresh anyway.
        if (provider == valueProvider_) container_.markStale();
        return value;
    }

private:
    // Moves the in-place interpolator, span and all, into a provider object that
    // becomes both the original and the current provider. Asking for a provider
    // is a const question, hence the mutable members.
    void makeProvider() const {
        if constexpr (Interpolatable<T>) {
            if (!inPlace_) return;
            auto provider = std::make_shared<KeyframeInterpolatorProvider<T>>(std::move(*inPlace_));
            inPlace_.reset();
            typed_ = provider.get();
            valueProvider_ = provider;
            originalValueProvider_ = std::move(provider);
        }
    }

    mutable std::shared_ptr<AnyValueProvider> valueProvider_;
    mutable std::shared_ptr<AnyValueProvider> originalValueProvider_;
    // The provider's unboxed face, when it has one.
    mutable TypedValueProvider<T>* typed_ = nullptr;
    // Set while the property evaluates its keyframes in place (no provider yet).
    mutable typename detail::InPlaceKeyframes<T>::Type inPlace_;
    ValueContainer<T> container_;
};

// A node property over the keyframes of a group (`fallback` when there is none).
// The group's keyframes are shared, not copied: they live as long as the group.
template <Interpolatable T>
std::shared_ptr<NodeProperty<T>> makeKeyframeProperty(const std::shared_ptr<const KeyframeGroup<T>>& group,
                                                      const T& fallback = T{}) {
    using SharedKeyframes = typename KeyframeInterpolator<T>::SharedKeyframes;
    if (!group || group->keyframes().empty()) {
        return std::make_shared<NodeProperty<T>>(
            std::make_shared<const std::vector<Keyframe<T>>>(std::vector<Keyframe<T>>{Keyframe<T>(fallback)}));
    }
    return std::make_shared<NodeProperty<T>>(SharedKeyframes(group, &group->keyframes()));
}

}  // namespace lottie
