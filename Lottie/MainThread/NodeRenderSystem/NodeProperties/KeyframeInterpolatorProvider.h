#pragma once
// Lets a keyframe interpolator serve as a node property's value provider. The
// interpolator keeps the span it last evaluated, so hasUpdate() answers from that
// span and a frame inside a hold reports no update. Created by the node that owns
// the property; the interpolator is shared with the erased storage's closure.

#include <memory>
#include <utility>
#include <vector>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/TypedValueProvider.h"
#include "Lottie/Values/KeyframeGroup.h"
#include "Lottie/Values/KeyframeInterpolator.h"

namespace lottie {

template <Interpolatable T>
class KeyframeInterpolatorProvider final : public TypedValueProvider<T> {
public:
    explicit KeyframeInterpolatorProvider(std::vector<Keyframe<T>> keyframes)
        : interpolator_(std::make_shared<KeyframeInterpolator<T>>(std::move(keyframes))) {}

    // A group that is absent (a model built in code) evaluates to `fallback`.
    static std::shared_ptr<KeyframeInterpolatorProvider> make(const std::shared_ptr<const KeyframeGroup<T>>& group,
                                                              const T& fallback = T{}) {
        if (!group || group->keyframes().empty()) {
            return std::make_shared<KeyframeInterpolatorProvider>(std::vector<Keyframe<T>>{Keyframe<T>(fallback)});
        }
        return std::make_shared<KeyframeInterpolatorProvider>(group->keyframes());
    }

    const KeyframeInterpolator<T>& interpolator() const { return *interpolator_; }

    T valueAt(AnimationFrameTime frame) override { return interpolator_->value(frame); }
    bool hasUpdate(AnimationFrameTime frame) const override { return interpolator_->hasUpdate(frame); }
    ValueProviderStorage<T> storage() override { return ValueProviderStorage<T>::keyframes(interpolator_->keyframes()); }
    // Evaluates through the same interpolator, as the typed path does.
    AnyValueProviderStorage erasedStorage() override {
        std::vector<Keyframe<std::any>> erased;
        erased.reserve(interpolator_->keyframes().size());
        for (const Keyframe<T>& keyframe : interpolator_->keyframes()) {
            erased.push_back(keyframe.replacingValue(std::any(keyframe.value())));
        }
        return AnyValueProviderStorage::keyframes(
            std::move(erased), [interpolator = interpolator_](AnimationFrameTime frame) {
                return std::any(interpolator->value(frame));
            });
    }

private:
    std::shared_ptr<KeyframeInterpolator<T>> interpolator_;
};

// A node property over the keyframes of a group (`fallback` when there is none).
template <Interpolatable T>
std::shared_ptr<NodeProperty<T>> makeKeyframeProperty(const std::shared_ptr<const KeyframeGroup<T>>& group,
                                                      const T& fallback = T{}) {
    return NodeProperty<T>::make(KeyframeInterpolatorProvider<T>::make(group, fallback));
}

}  // namespace lottie
