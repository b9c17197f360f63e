#pragma once
// Key-value access to the standard properties every layer has ("opacity",
// "position", "bounds", "shadowColor", ...), by their key-path text, through the
// layer's public accessors. Layer uses it for its value() and setValue(), beside
// the transform parts and declared numbers it handles itself; stateless.

#include <optional>
#include <string_view>

#include "Platform/Compositor/AnimatableValue.h"

namespace platform::compositor {

class Layer;

class LayerKeyValue {
public:
    LayerKeyValue() = delete;

    // None when the key names no standard property; else the value, which is
    // itself none for an optional property that is not set.
    static std::optional<std::optional<AnimatableValue>> read(const Layer& layer, std::string_view key);
    // None when the key names no standard property; else whether the value was
    // taken (false for a value of the wrong type, or none for a property that
    // cannot be unset).
    static std::optional<bool> write(Layer& layer, std::string_view key, const std::optional<AnimatableValue>& value);
};

}  // namespace platform::compositor
