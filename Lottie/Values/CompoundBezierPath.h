#pragma once
// Several BezierPaths treated as one shape, with their summed length; what a
// trim-paths modifier cuts, either across the paths one after the other or on
// each path alone. A plain value; whoever holds it owns it.

#include <vector>

#include "Lottie/Values/BezierPath.h"

namespace lottie {

class CompoundBezierPath {
public:
    CompoundBezierPath() = default;
    explicit CompoundBezierPath(BezierPath path);
    explicit CompoundBezierPath(std::vector<BezierPath> paths);

    const std::vector<BezierPath>& paths() const { return paths_; }
    double length() const { return length_; }

    void appendPath(BezierPath path);

    // The stretch from `startFraction` to `endFraction` of the length (0 to 1),
    // shifted by `offsetFraction` of a full turn, with wrap-around; across all
    // paths as one, or on every path alone when `trimSimultaneously`.
    CompoundBezierPath trim(double startFraction, double endFraction, double offsetFraction,
                            bool trimSimultaneously) const;

    bool operator==(const CompoundBezierPath&) const = default;

private:
    CompoundBezierPath trimmedAcross(double startFraction, double endFraction, double offsetFraction) const;

    std::vector<BezierPath> paths_;
    double length_ = 0;
};

}  // namespace lottie
