#pragma once
// Conversions of the animation's floating-point numbers (frames, sizes) to
// 64-bit integers for display, which give nothing where the value has no
// integer: not finite, or outside the signed 64-bit range.

#include <cstdint>
#include <optional>

namespace pellor {

// Toward zero.
std::optional<std::int64_t> truncatedWholeNumber(double value);
// To nearest, ties to even.
std::optional<std::int64_t> roundedWholeNumber(double value);

}  // namespace pellor
