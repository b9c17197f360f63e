#pragma once
// A value provider that evaluates several keyframe lists together and gives
// the list of their values: a stroke's dash pattern, one interpolator per dash
// or gap element. Owned by the node property made from it.

#include <memory>
#include <utility>
#include <vector>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/TypedValueProvider.h"
#include "Lottie/Values/KeyframeInterpolator.h"

namespace lottie {

template <Interpolatable T>
class GroupInterpolator final : public TypedValueProvider<std::vector<T>> {
public:
    explicit GroupInterpolator(const std::vector<std::vector<Keyframe<T>>>& keyframeLists) {
        interpolators_.reserve(keyframeLists.size());
        for (const auto& keyframes : keyframeLists) {
            interpolators_.push_back(std::make_shared<KeyframeInterpolator<T>>(keyframes));
        }
    }

    std::size_t count() const { return interpolators_.size(); }

    std::vector<T> valueAt(AnimationFrameTime frame) override {
        std::vector<T> values;
        values.reserve(interpolators_.size());
        for (const auto& interpolator : interpolators_) values.push_back(interpolator->value(frame));
        return values;
    }

    bool hasUpdate(AnimationFrameTime frame) const override {
        for (const auto& interpolator : interpolators_) {
            if (interpolator->hasUpdate(frame)) return true;
        }
        return false;
    }

    ValueProviderStorage<std::vector<T>> storage() override {
        auto interpolators = interpolators_;
        return ValueProviderStorage<std::vector<T>>::closure([interpolators](AnimationFrameTime frame) {
            std::vector<T> values;
            values.reserve(interpolators.size());
            for (const auto& interpolator : interpolators) values.push_back(interpolator->value(frame));
            return values;
        });
    }

private:
    std::vector<std::shared_ptr<KeyframeInterpolator<T>>> interpolators_;
};

}  // namespace lottie
