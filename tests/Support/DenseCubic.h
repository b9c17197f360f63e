#pragma once
// A cubic segment measured the slow way, as the tests' own yardstick for
// where a cut by length belongs: the curve evaluated in Bernstein form at many
// evenly spaced parameters, its length the sum of the chords between them.
// With a hundred thousand chords that sum is within about a billionth of the
// arc length on the curves the tests draw, far finer than any cut they check.
// A plain value each test makes for the curve it checks.

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "Platform/Graphics/Point.h"

namespace testsupport {

class DenseCubic {
public:
    DenseCubic(platform::graphics::Point p0, platform::graphics::Point p1, platform::graphics::Point p2,
               platform::graphics::Point p3, int chords = 100'000)
        : p0_(p0), p1_(p1), p2_(p2), p3_(p3), lengths_(static_cast<std::size_t>(chords) + 1) {
        platform::graphics::Point previous = p0;
        for (int index = 1; index <= chords; ++index) {
            const platform::graphics::Point next = pointAt(static_cast<double>(index) / chords);
            lengths_[index] = lengths_[index - 1] + previous.distanceTo(next);
            previous = next;
        }
    }

    double length() const { return lengths_.back(); }

    platform::graphics::Point pointAt(double t) const {
        const double u = 1 - t;
        return p0_ * (u * u * u) + p1_ * (3 * u * u * t) + p2_ * (3 * u * t * t) + p3_ * (t * t * t);
    }

    // The parameter at which the length from the start reaches `length`,
    // between two chords' ends in proportion.
    double parameterAt(double length) const {
        const std::size_t chords = lengths_.size() - 1;
        if (length <= 0) return 0;
        if (length >= lengths_.back()) return 1;
        const auto upper = std::upper_bound(lengths_.begin(), lengths_.end(), length);
        const std::size_t index = static_cast<std::size_t>(upper - lengths_.begin());
        const double span = lengths_[index] - lengths_[index - 1];
        const double within = span > 0 ? (length - lengths_[index - 1]) / span : 0;
        return (static_cast<double>(index - 1) + within) / static_cast<double>(chords);
    }

    platform::graphics::Point pointAtLength(double length) const { return pointAt(parameterAt(length)); }

    // The part of the curve between parameters t0 and t1 (t0 < t1): its start,
    // its two control points and its end, cut by repeated halving of the
    // control polygon at t1 and then at t0 within the first part.
    std::array<platform::graphics::Point, 4> piece(double t0, double t1) const {
        const auto cutAt = [](const std::array<platform::graphics::Point, 4>& p, double t) {
            const auto mix = [t](platform::graphics::Point a, platform::graphics::Point b) { return a + (b - a) * t; };
            const platform::graphics::Point ab = mix(p[0], p[1]), bc = mix(p[1], p[2]), cd = mix(p[2], p[3]);
            const platform::graphics::Point abc = mix(ab, bc), bcd = mix(bc, cd);
            return std::array{std::array{p[0], ab, abc, mix(abc, bcd)}, std::array{mix(abc, bcd), bcd, cd, p[3]}};
        };
        const auto upToEnd = cutAt({p0_, p1_, p2_, p3_}, t1)[0];
        return t1 > 0 ? cutAt(upToEnd, t0 / t1)[1] : upToEnd;
    }

private:
    platform::graphics::Point p0_;
    platform::graphics::Point p1_;
    platform::graphics::Point p2_;
    platform::graphics::Point p3_;
    std::vector<double> lengths_;
};

}  // namespace testsupport
