#pragma once
// The small enumerations of shape items. In JSON each is an integer raw
// value; every one of them has contiguous raw values, so a range says which
// integers name a case.

#include <cstdint>
#include <optional>

namespace lottie {

// 1-based: the format has no 0.
enum class PathDirection { clockwise = 1, userSetClockwise = 2, counterClockwise = 3 };
enum class StarType { none = 0, star = 1, polygon = 2 };
enum class FillRule { none = 0, nonZeroWinding = 1, evenOdd = 2 };
enum class LineCap { none = 0, butt = 1, round = 2, square = 3 };
enum class LineJoin { none = 0, miter = 1, round = 2, bevel = 3 };
enum class GradientType { none = 0, linear = 1, radial = 2 };
enum class MergeMode { none = 0, merge = 1, add = 2, subtract = 3, intersect = 4, exclude = 5 };
// 1-based: the format has no 0.
enum class TrimType { simultaneously = 1, individually = 2 };

template <class Enumeration>
struct RawValueRange;

template <>
struct RawValueRange<PathDirection> {
    static constexpr std::int64_t first = 1, last = 3;
};
template <>
struct RawValueRange<StarType> {
    static constexpr std::int64_t first = 0, last = 2;
};
template <>
struct RawValueRange<FillRule> {
    static constexpr std::int64_t first = 0, last = 2;
};
template <>
struct RawValueRange<LineCap> {
    static constexpr std::int64_t first = 0, last = 3;
};
template <>
struct RawValueRange<LineJoin> {
    static constexpr std::int64_t first = 0, last = 3;
};
template <>
struct RawValueRange<GradientType> {
    static constexpr std::int64_t first = 0, last = 2;
};
template <>
struct RawValueRange<MergeMode> {
    static constexpr std::int64_t first = 0, last = 5;
};
template <>
struct RawValueRange<TrimType> {
    static constexpr std::int64_t first = 1, last = 2;
};

// The case an integer names, or nothing.
template <class Enumeration>
constexpr std::optional<Enumeration> enumerationFromRawValue(std::int64_t raw) {
    if (raw < RawValueRange<Enumeration>::first || raw > RawValueRange<Enumeration>::last) return std::nullopt;
    return static_cast<Enumeration>(raw);
}

template <class Enumeration>
constexpr int rawValue(Enumeration value) {
    return static_cast<int>(value);
}

}  // namespace lottie
