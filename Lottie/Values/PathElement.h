#pragma once
// One element of a BezierPath: a vertex and the length of the segment that
// ends at it (0 for the first element), measured once when the element is
// made so that trimming can walk a path by length without measuring again.

#include <cstddef>

#include "Lottie/Values/CurveVertex.h"

namespace lottie {

struct PathElement {
    double length = 0;
    CurveVertex vertex;

    constexpr PathElement() = default;
    constexpr PathElement(double lengthValue, const CurveVertex& vertexValue)
        : length(lengthValue), vertex(vertexValue) {}

    constexpr bool operator==(const PathElement&) const = default;
};

}  // namespace lottie

template <>
struct std::hash<lottie::PathElement> {
    std::size_t operator()(const lottie::PathElement& element) const noexcept {
        std::size_t seed = platform::graphics::hashDouble(element.length);
        platform::graphics::hashCombine(seed, std::hash<lottie::CurveVertex>{}(element.vertex));
        return seed;
    }
};
