#pragma once
// Where an animation writes the values it presents: a layer's presentation copy, or
// a probe that only wants one key path. Values are read and written by the whole
// key-path text ("opacity", "transform.rotation.z"); reading gives the value
// presented so far (the model value, or what earlier animations made of it).

#include <optional>
#include <string_view>

#include "Platform/Compositor/AnimatableValue.h"

namespace platform::compositor {

class AnimationTarget {
public:
    virtual ~AnimationTarget() = default;

    virtual std::optional<AnimatableValue> presentedValue(std::string_view keyPath) = 0;
    virtual void setPresentedValue(std::string_view keyPath, const AnimatableValue& value) = 0;
};

}  // namespace platform::compositor
