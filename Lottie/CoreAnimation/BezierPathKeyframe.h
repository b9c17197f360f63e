#pragma once
// The value one keyframe of a custom path animates by on the Core Animation
// engine: the path and, when a rounded-corners item applies, the radius it is
// rounded by. Built by ShapePathAnimation and by the mask layers of the layer
// tree; a value.

#include <optional>

#include "Lottie/CoreAnimation/SamplingBudget.h"
#include "Lottie/Values/BezierPath.h"
#include "Lottie/Values/Interpolatable.h"
#include "Lottie/Values/KeyframeGroup.h"
#include "Lottie/Values/LottieVector1D.h"
#include "Platform/Graphics/Path.h"

namespace lottie {

struct BezierPathKeyframe {
    BezierPath path;
    // Absent when no rounding applies.
    std::optional<LottieVector1D> cornerRadius;

    bool operator==(const BezierPathKeyframe&) const = default;

    // The path's keyframes joined with the radius keyframes when some radius is
    // above 0 (every value then carries its radius, 0 included); otherwise the
    // path's own keyframes, timing and expression text kept, without a radius.
    // The joined keyframes are charged to `account`.
    static KeyframeGroup<BezierPathKeyframe> combining(const KeyframeGroup<BezierPath>& path,
                                                       const KeyframeGroup<LottieVector1D>* cornerRadius,
                                                       const SamplingAccount& account = {});

    // The path rounded by its radius, drawn `pathMultiplier` times.
    platform::graphics::Path toPath(int pathMultiplier) const;
};

template <>
struct Interpolation<BezierPathKeyframe> {
    // The radius only when both ends have one.
    static BezierPathKeyframe interpolate(const BezierPathKeyframe& from, const BezierPathKeyframe& to,
                                          double amount);
};

}  // namespace lottie
