#pragma once
// The eased progress of a keyframe span: how far the value has moved from the
// leading keyframe towards the trailing one at a frame, from the time between
// them and the unit timing curve of their easing tangents. Not clamped: easing
// that overshoots gives progress below 0 or above 1.

#include <optional>

#include "Lottie/Values/LottieVector2D.h"

namespace lottie {

struct KeyframeEasing {
    // `outTangent` leaves the leading keyframe, `inTangent` arrives at the
    // trailing one; absent ones are (0, 0) and (1, 1), the linear timing.
    static double progress(double fromTime, bool fromIsHold, const std::optional<LottieVector2D>& outTangent,
                           double toTime, const std::optional<LottieVector2D>& inTangent, double frame);

    // The parameter t at which the x of the timing curve from (0, 0) through
    // the two control points to (1, 1) equals `time` (0 < time < 1). Never
    // fails: when the closed-form solver misses the root (rounding can push it
    // just outside [0, 1]), it is found by bisection, since x runs from 0 to 1.
    // The same question is answered from memory when it was asked lately on
    // the same thread, with the same answer to the bit.
    static double curveParameter(double time, double control1X, double control2X);

private:
    static double solveCurveParameter(double time, double control1X, double control2X);
};

}  // namespace lottie
