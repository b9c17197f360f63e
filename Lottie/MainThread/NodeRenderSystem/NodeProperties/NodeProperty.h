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
#include <cstddef>
#include <memory>
#include <mutex>
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
    using Type = KeyframeCursor<T>;
};

}  // namespace detail

template <class T>
class NodeProperty final : public AnyNodeProperty {
public:
    // `provider` must give values of type T; the engine only makes such properties.
    explicit NodeProperty(std::shared_ptr<TypedValueProvider<T>> provider)
        : state_(std::in_place_index<providersIndex>, Providers{provider, provider, provider.get()}),
          container_(provider->valueAt(0)) {}

    // A property over `keyframes`, evaluated in place until a provider is asked for.
    explicit NodeProperty(std::shared_ptr<const std::vector<Keyframe<T>>> keyframes)
        requires Interpolatable<T>
        : state_(std::in_place_index<inPlaceIndex>, std::move(keyframes), typename KeyframeCursor<T>::Sharing{}),
          container_(std::get<inPlaceIndex>(state_).value(0)) {}

    static std::shared_ptr<NodeProperty> make(std::shared_ptr<TypedValueProvider<T>> provider) {
        return std::make_shared<NodeProperty>(std::move(provider));
    }

    const T& value() const { return container_.outputValue(); }
    const ValueContainer<T>& container() const { return container_; }

    std::shared_ptr<AnyValueProvider> valueProvider() const override { return providers().current; }
    std::shared_ptr<AnyValueProvider> originalValueProvider() const override { return providers().original; }

    bool needsUpdate(double frame) const override {
        if (container_.needsUpdate()) return true;
        if constexpr (Interpolatable<T>) {
            if (const auto* keyframes = std::get_if<inPlaceIndex>(&state_)) return keyframes->hasUpdate(frame);
        }
        return std::get<providersIndex>(state_).current->hasUpdate(frame);
    }

    void update(double frame) override {
        if constexpr (Interpolatable<T>) {
            if (auto* keyframes = std::get_if<inPlaceIndex>(&state_)) {
                container_.setOutputValue(keyframes->value(frame));
                return;
            }
        }
        const Providers& providers = std::get<providersIndex>(state_);
        if (providers.typed) {
            container_.setOutputValue(providers.typed->valueAt(frame));
        } else {
            container_.setOutputValue(providers.current->valueAtFrame(frame));
        }
    }

    bool holdsItsValue() const override {
        if constexpr (Interpolatable<T>) {
            if (const auto* keyframes = std::get_if<inPlaceIndex>(&state_)) {
                return !container_.needsUpdate() && keyframes->lastUpdatedFrame() &&
                       keyframes->keyframes().size() <= 1;
            }
        }
        return false;
    }

    void replaceProvider(std::shared_ptr<AnyValueProvider> provider) override {
        if (!provider || provider->valueType() != std::type_index(typeid(T))) return;
        use(std::move(provider));
    }

    void restoreOriginalProvider() override { use(providers().original); }

    std::any queriedValue(double frame, bool original) override {
        const Providers& providers = this->providers();
        const std::shared_ptr<AnyValueProvider>& provider = original ? providers.original : providers.current;
        if (!provider) return {};
        std::any value = provider->valueAtFrame(frame);
        // The original provider comes back into use only through
        // restoreOriginalProvider(), which takes its value afresh anyway.
        if (provider == providers.current) {
            container_.markStale();
            noteChange();
        }
        return value;
    }

private:
    // The provider in use, the one the property was made with, and the former's
    // unboxed face when it has one.
    struct Providers {
        std::shared_ptr<AnyValueProvider> current;
        std::shared_ptr<AnyValueProvider> original;
        TypedValueProvider<T>* typed = nullptr;
    };
    static constexpr std::size_t providersIndex = 0;
    static constexpr std::size_t inPlaceIndex = 1;

    // The providers, made first if the property still evaluates in place: the
    // in-place interpolator, span and all, moves into a provider object that
    // becomes both the original and the current provider. Asking for a provider
    // is a const question, hence the mutable state.
    const Providers& providers() const {
        if constexpr (Interpolatable<T>) {
            if (auto* keyframes = std::get_if<inPlaceIndex>(&state_)) {
                auto provider =
                    std::make_shared<KeyframeInterpolatorProvider<T>>(KeyframeInterpolator<T>(std::move(*keyframes)));
                TypedValueProvider<T>* typed = provider.get();
                state_.template emplace<providersIndex>(Providers{provider, provider, typed});
            }
        }
        return std::get<providersIndex>(state_);
    }

    void use(std::shared_ptr<AnyValueProvider> provider) {
        providers();
        Providers& providers = std::get<providersIndex>(state_);
        providers.current = std::move(provider);
        providers.typed = dynamic_cast<TypedValueProvider<T>*>(providers.current.get());
        container_.markStale();
        noteChange();
    }

    // Either the providers or, until one is asked for, the keyframes evaluated in place.
    mutable std::variant<Providers, typename detail::InPlaceKeyframes<T>::Type> state_;
    ValueContainer<T> container_;
};

namespace detail {

// The one-keyframe list of a fallback value, shared by the properties of every
// view that fall back to it: the lists are never written, and the engine's
// fallbacks are a handful of constants. Views on other threads ask too, hence
// the mutex; past a few values a list is made for the caller alone.
template <Interpolatable T>
std::shared_ptr<const std::vector<Keyframe<T>>> fallbackKeyframes(const T& value) {
    using SharedKeyframes = typename KeyframeInterpolator<T>::SharedKeyframes;
    constexpr std::size_t poolLimit = 16;
    static std::mutex mutex;
    static std::vector<SharedKeyframes> pool;
    const std::lock_guard<std::mutex> lock(mutex);
    for (const SharedKeyframes& list : pool) {
        if (list->front().value() == value) return list;
    }
    auto list = std::make_shared<const std::vector<Keyframe<T>>>(std::vector<Keyframe<T>>{Keyframe<T>(value)});
    if (pool.size() < poolLimit) pool.push_back(list);
    return list;
}

}  // namespace detail

// A node property over the keyframes of a group (`fallback` when there is none).
// The group's keyframes are shared, not copied: they live as long as the group.
template <Interpolatable T>
std::shared_ptr<NodeProperty<T>> makeKeyframeProperty(const std::shared_ptr<const KeyframeGroup<T>>& group,
                                                      const T& fallback = T{}) {
    using SharedKeyframes = typename KeyframeInterpolator<T>::SharedKeyframes;
    if (!group || group->keyframes().empty()) {
        return std::make_shared<NodeProperty<T>>(detail::fallbackKeyframes(fallback));
    }
    return std::make_shared<NodeProperty<T>>(SharedKeyframes(group, &group->keyframes()));
}

}  // namespace lottie
