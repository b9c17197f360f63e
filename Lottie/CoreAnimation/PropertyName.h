#pragma once
// The names under which a caller's value provider may override a property of
// the Core Animation engine: the last key of a provider's keypath. Each
// overridable layer property answers to exactly one of them; "Stroke Color" is
// accepted when a provider is installed, yet no property answers to it (stroke
// colours answer to "Color"). A value.

#include <array>
#include <optional>
#include <string_view>

namespace lottie {

enum class PropertyName { color, opacity, scale, position, rotation, strokeWidth, gradientColors, strokeColor };

struct PropertyNames {
    // Every name, in the order the install message lists them.
    static constexpr std::array<PropertyName, 8> allCases = {
        PropertyName::color,    PropertyName::opacity,     PropertyName::scale,          PropertyName::position,
        PropertyName::rotation, PropertyName::strokeWidth, PropertyName::gradientColors, PropertyName::strokeColor};

    static constexpr std::string_view rawValue(PropertyName name) {
        switch (name) {
            case PropertyName::color: return "Color";
            case PropertyName::opacity: return "Opacity";
            case PropertyName::scale: return "Scale";
            case PropertyName::position: return "Position";
            case PropertyName::rotation: return "Rotation";
            case PropertyName::strokeWidth: return "Stroke Width";
            case PropertyName::gradientColors: return "Colors";
            case PropertyName::strokeColor: return "Stroke Color";
        }
        return "";
    }

    // Exact and case-sensitive: "color" names nothing.
    static constexpr std::optional<PropertyName> fromRawValue(std::string_view text) {
        for (PropertyName name : allCases) {
            if (rawValue(name) == text) return name;
        }
        return std::nullopt;
    }
};

}  // namespace lottie
