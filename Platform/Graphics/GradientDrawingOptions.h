#pragma once
// Whether a gradient also paints before its start and after its end, continuing
// its first and last colours. The engines always extend both ways.

namespace platform::graphics {

struct GradientDrawingOptions {
    bool drawsBeforeStart = false;
    bool drawsAfterEnd = false;

    static constexpr GradientDrawingOptions extended() { return {true, true}; }

    constexpr bool operator==(const GradientDrawingOptions&) const = default;
};

}  // namespace platform::graphics
