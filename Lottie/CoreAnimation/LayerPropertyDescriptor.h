#pragma once
// One layer property as the keyframe animation builder sees it: the key path its
// animation drives (also the key the animation is added under) and the test for
// the layer's default value, which lets a property that never leaves its default
// go without an animation. Built by each property animation for the call it
// makes; a value.

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "Platform/Compositor/AnimatableValue.h"

namespace lottie {

struct LayerPropertyDescriptor {
    using DefaultValueTest = std::function<bool(const std::optional<platform::compositor::AnimatableValue>&)>;

    std::string keyPath;
    DefaultValueTest isDefaultValue;

    // Default when equal to `defaultValue`; an absent value equals only an absent
    // default, so with an absent default only an absent value is default.
    static LayerPropertyDescriptor withDefault(std::string keyPath,
                                               std::optional<platform::compositor::AnimatableValue> defaultValue) {
        return {std::move(keyPath), [defaultValue = std::move(defaultValue)](const auto& value) {
                    return value == defaultValue;
                }};
    }
};

}  // namespace lottie
