#pragma once
// The conversions of value-provider values into the compositor values of the
// overridable layer properties: percentages to fractions, scale components,
// points, degrees to radians, plain numbers, colours, and a gradient provider's
// colours and locations. Each gives none for a value of another type. Used by
// LayerProperties; stateless.

#include "Lottie/CoreAnimation/OverridableProperty.h"
#include "Lottie/Values/LottieColor.h"
#include "Platform/Graphics/Color.h"

namespace lottie {

struct ProviderValueConversions {
    // The names of the compositor value types in the message about a value that does not convert.
    static constexpr const char* numberTypeName = "double";
    static constexpr const char* colorTypeName = "Color";
    static constexpr const char* pointTypeName = "Point";
    static constexpr const char* numbersTypeName = "std::vector<double>";
    static constexpr const char* colorsTypeName = "std::vector<Color>";

    // A document colour in the shared configuration's colour space, alpha kept.
    static platform::graphics::Color colorOf(const LottieColor& color);

    static OverridableProperty::Conversion percent();
    // Component 0 (x) or 1 (y) of a scale in percent.
    static OverridableProperty::Conversion scaleComponent(int component);
    static OverridableProperty::Conversion point();
    static OverridableProperty::Conversion degrees();
    static OverridableProperty::Conversion plainNumber();
    static OverridableProperty::Conversion color();
    static OverridableProperty::Conversion gradientColors();
    static OverridableProperty::Conversion gradientLocations();
};

}  // namespace lottie
