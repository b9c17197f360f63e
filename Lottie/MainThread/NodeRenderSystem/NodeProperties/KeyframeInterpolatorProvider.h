#pragma once
// Lets a keyframe interpolator serve as a node property's value provider. The
// interpolator keeps the span it last evaluated, so hasUpdate() answers from that
// span and a frame inside a hold reports no update. Created by the node that owns
// the property; the interpolator lives inside the provider and is shared with the
// erased storage's closure through the provider. The keyframes are the model's own
// array, shared rather than copied, so a view adds only the interpolator's span.

#include <memory>
#include <utility>
#include <vector>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/TypedValueProvider.h"
#include "Lottie/Values/KeyframeGroup.h"
#include "Lottie/Values/KeyframeInterpolator.h"

namespace lottie {

template <Interpolatable T>
class KeyframeInterpolatorProvider final : public TypedValueProvider<T>,
                                           public std::enable_shared_from_this<KeyframeInterpolatorProvider<T>> {
public:
    explicit KeyframeInterpolatorProvider(std::vector<Keyframe<T>> keyframes) : interpolator_(std::move(keyframes)) {}
    // Takes over an interpolator with the span it last evaluated.
    explicit KeyframeInterpolatorProvider(KeyframeInterpolator<T>&& interpolator)
        : interpolator_(std::move(interpolator)) {}

    const KeyframeInterpolator<T>& interpolator() const { return interpolator_; }

    T valueAt(AnimationFrameTime frame) override { return interpolator_.value(frame); }
    bool hasUpdate(AnimationFrameTime frame) const override { return interpolator_.hasUpdate(frame); }
    ValueProviderStorage<T> storage() override { return ValueProviderStorage<T>::keyframes(interpolator_.keyframes()); }
    // Evaluates through the same interpolator, as the typed path does (a provider
    // not held by a shared pointer lends the closure an interpolator of its own).
    AnyValueProviderStorage erasedStorage() override {
        std::vector<Keyframe<std::any>> erased;
        erased.reserve(interpolator_.keyframes().size());
        for (const Keyframe<T>& keyframe : interpolator_.keyframes()) {
            erased.push_back(keyframe.replacingValue(std::any(keyframe.value())));
        }
        std::shared_ptr<KeyframeInterpolator<T>> interpolator;
        if (auto self = this->weak_from_this().lock()) {
            interpolator = std::shared_ptr<KeyframeInterpolator<T>>(self, &self->interpolator_);
        } else {
            interpolator = std::make_shared<KeyframeInterpolator<T>>(interpolator_.sharedKeyframes(),
                                                                     typename KeyframeInterpolator<T>::Sharing{});
        }
        return AnyValueProviderStorage::keyframes(std::move(erased), [interpolator](AnimationFrameTime frame) {
            return std::any(interpolator->value(frame));
        });
    }

private:
    KeyframeInterpolator<T> interpolator_;
};

}  // namespace lottie
