#pragma once
// A stretch of one path by length, from `start` to `end` (start < end), as
// BezierPath::trim consumes them front to back.

namespace lottie {

struct LengthRange {
    double start = 0;
    double end = 0;

    constexpr bool operator==(const LengthRange&) const = default;
};

}  // namespace lottie
