#pragma once
// A stroke's dash pattern as keyframes: one keyframe list per dash or gap
// element, in pattern order, and the keyframes of the offset element (the last
// one when there are several). Both engines animate dashes from this. A dash or
// gap of exactly 0 becomes 0.01, because a zero-length entry would make the
// platform's dash pattern invalid. A plain value.

#include <vector>

#include "Lottie/Model/DashElement.h"
#include "Lottie/Values/Keyframe.h"
#include "Lottie/Values/LottieVector1D.h"

namespace lottie {

struct DashKeyframes {
    std::vector<std::vector<Keyframe<LottieVector1D>>> dashes;
    std::vector<Keyframe<LottieVector1D>> phase;

    // Never fails; elements without keyframes contribute empty lists.
    static DashKeyframes make(const DashPattern& pattern);
};

}  // namespace lottie
