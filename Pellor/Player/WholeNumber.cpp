#include "Pellor/Player/WholeNumber.h"

#include <cmath>

namespace pellor {

namespace {

std::optional<std::int64_t> wholeNumber(double integral) {
    // -2^63 is representable; 2^63 is the first double past the range.
    constexpr double kLimit = 9223372036854775808.0;
    if (!std::isfinite(integral) || integral < -kLimit || integral >= kLimit) return std::nullopt;
    return static_cast<std::int64_t>(integral);
}

}  // namespace

std::optional<std::int64_t> truncatedWholeNumber(double value) { return wholeNumber(std::trunc(value)); }

std::optional<std::int64_t> roundedWholeNumber(double value) {
    return std::isfinite(value) ? wholeNumber(std::nearbyint(value)) : std::nullopt;
}

}  // namespace pellor
