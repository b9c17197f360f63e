#pragma once
// The kinds of shape items and their "ty" codes in JSON. The code of an item
// selects the class that decodes it; `unknown` is the base item itself.

#include <optional>
#include <string_view>

namespace lottie {

enum class ShapeType {
    ellipse,
    fill,
    gradientFill,
    group,
    gradientStroke,
    merge,
    rectangle,
    repeater,
    round,
    shape,
    star,
    stroke,
    trim,
    transform,
    unknown,
};

// Exactly the fifteen codes (case-sensitive) name a case; any other text none.
std::optional<ShapeType> shapeTypeFromRawValue(std::string_view raw);
std::string_view rawValue(ShapeType type);

}  // namespace lottie
