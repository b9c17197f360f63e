#pragma once
// What makes a layer property of the Core Animation engine overridable by a
// value provider: the name appended to the layer's keypath to look the provider
// up, the conversion of the provider's values into the compositor value the
// property takes, and the name of that value's type for the message about a
// value that does not convert. Part of a LayerPropertyDescriptor; a value.

#include <any>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/CoreAnimation/PropertyName.h"
#include "Lottie/Playback/ValueProviders/AnyValueProvider.h"
#include "Platform/Compositor/AnimatableValue.h"

namespace lottie {

struct OverridableProperty {
    // None when the value (or, for gradients, the provider) is not of the kind the property takes.
    using Conversion =
        std::function<std::optional<platform::compositor::AnimatableValue>(const std::any&, AnyValueProvider&)>;

    std::vector<PropertyName> propertyNames;
    Conversion conversion;
    std::string valueTypeName;
};

}  // namespace lottie
