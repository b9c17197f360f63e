#pragma once
// A cubic segment cut in two: the segment from `start` to `trimPoint` and the
// one from `trimPoint` to `end` together trace the segment that was cut.
// A plain value made by CurveVertex's split operations.

#include "Lottie/Values/CurveVertex.h"

namespace lottie {

struct CurveSplit {
    CurveVertex start;
    CurveVertex trimPoint;
    CurveVertex end;

    constexpr bool operator==(const CurveSplit&) const = default;
};

}  // namespace lottie
