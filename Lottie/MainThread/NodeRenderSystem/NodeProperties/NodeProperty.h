#pragma once
// One animatable value of a main-thread layer or node: the value for the frame
// last evaluated and the provider that computes it. The provider is normally the
// property's keyframes; a caller may replace it by keypath with a provider of the
// same value type and later restore the original. Owned by its node's property map
// (std::shared_ptr, so keypath searches can hand it out). Main thread only.

#include <any>
#include <memory>
#include <typeindex>
#include <utility>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/TypedValueProvider.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/ValueContainer.h"
#include "Lottie/Playback/Keypaths/AnyNodeProperty.h"

namespace lottie {

template <class T>
class NodeProperty final : public AnyNodeProperty {
public:
    // `provider` must give values of type T; the engine only makes such properties.
    explicit NodeProperty(std::shared_ptr<TypedValueProvider<T>> provider)
        : valueProvider_(provider), originalValueProvider_(provider), typed_(provider.get()),
          container_(provider->valueAt(0)) {}

    static std::shared_ptr<NodeProperty> make(std::shared_ptr<TypedValueProvider<T>> provider) {
        return std::make_shared<NodeProperty>(std::move(provider));
    }

    const T& value() const { return container_.outputValue(); }
    const ValueContainer<T>& container() const { return container_; }

    std::shared_ptr<AnyValueProvider> valueProvider() const override { return valueProvider_; }
    std::shared_ptr<AnyValueProvider> originalValueProvider() const override { return originalValueProvider_; }

    bool needsUpdate(double frame) const override {
        return container_.needsUpdate() || valueProvider_->hasUpdate(frame);
    }

    void update(double frame) override {
        if (typed_) {
            container_.setValue(typed_->valueAt(frame), frame);
        } else {
            container_.setValue(valueProvider_->valueAtFrame(frame), frame);
        }
    }

    void replaceProvider(std::shared_ptr<AnyValueProvider> provider) override {
        if (!provider || provider->valueType() != std::type_index(typeid(T))) return;
        valueProvider_ = std::move(provider);
        typed_ = dynamic_cast<TypedValueProvider<T>*>(valueProvider_.get());
        container_.markStale();
    }

    void restoreOriginalProvider() override {
        valueProvider_ = originalValueProvider_;
        typed_ = dynamic_cast<TypedValueProvider<T>*>(valueProvider_.get());
        container_.markStale();
    }

    std::any queriedValue(double frame, bool original) override {
        const std::shared_ptr<AnyValueProvider>& provider = original ? originalValueProvider_ : valueProvider_;
        if (!provider) return {};
        std::any value = provider->valueAtFrame(frame);
        // The original provider comes back into use only through
        // restoreOriginalProvider(), which takes its value afresh anyway.
        if (provider == valueProvider_) container_.markStale();
        return value;
    }

private:
    std::shared_ptr<AnyValueProvider> valueProvider_;
    std::shared_ptr<AnyValueProvider> originalValueProvider_;
    // The provider's unboxed face, when it has one.
    TypedValueProvider<T>* typed_;
    ValueContainer<T> container_;
};

}  // namespace lottie
