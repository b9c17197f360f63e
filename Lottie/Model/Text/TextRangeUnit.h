#pragma once
// The unit of a text animator's range selector: percent of the text, or
// character indices.

#include <cstdint>
#include <optional>

namespace lottie {

enum class TextRangeUnit : std::int8_t { percentage = 1, index = 2 };

inline std::optional<TextRangeUnit> textRangeUnitFromCode(std::int64_t code) {
    if (code == 1) return TextRangeUnit::percentage;
    if (code == 2) return TextRangeUnit::index;
    return std::nullopt;
}

}  // namespace lottie
