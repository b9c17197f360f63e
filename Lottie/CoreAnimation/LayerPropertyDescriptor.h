#pragma once
// One layer property as the keyframe animation builder sees it: the key path its
// animation drives (also the key the animation is added under), the test for
// the layer's default value, which lets a property that never leaves its default
// go without an animation, and, for the properties a caller may override, how a
// value provider does so. Built by each property animation for the call it
// makes (LayerProperties holds every one of them); a value.

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "Lottie/CoreAnimation/OverridableProperty.h"
#include "Platform/Compositor/AnimatableValue.h"

namespace lottie {

struct LayerPropertyDescriptor {
    using DefaultValueTest = std::function<bool(const std::optional<platform::compositor::AnimatableValue>&)>;

    std::string keyPath;
    DefaultValueTest isDefaultValue;
    // None for the properties no value provider can override.
    std::optional<OverridableProperty> customizableProperty = std::nullopt;

    // Default when equal to `defaultValue`; an absent value equals only an absent
    // default, so with an absent default only an absent value is default.
    static LayerPropertyDescriptor withDefault(std::string keyPath,
                                               std::optional<platform::compositor::AnimatableValue> defaultValue,
                                               std::optional<OverridableProperty> customizableProperty = std::nullopt) {
        return {std::move(keyPath),
                [defaultValue = std::move(defaultValue)](const auto& value) { return value == defaultValue; },
                std::move(customizableProperty)};
    }
};

}  // namespace lottie
