#pragma once
// How the lines of a text block are aligned, with the document's integer codes.

#include <cstdint>
#include <optional>

namespace lottie {

enum class TextJustification : std::int8_t {
    left = 0,
    right,
    center,
    justifyLastLineLeft,
    justifyLastLineRight,
    justifyLastLineCenter,
    justifyLastLineFull
};

inline std::optional<TextJustification> textJustificationFromCode(std::int64_t code) {
    if (code < 0 || code > 6) return std::nullopt;
    return static_cast<TextJustification>(code);
}

}  // namespace lottie
