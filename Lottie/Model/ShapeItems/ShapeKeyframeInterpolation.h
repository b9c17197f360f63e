#pragma once
// The linear rule the combined path keyframes of ellipses, rectangles and
// stars interpolate by: every number on its own, z included, never along a
// motion path.

#include "Lottie/Values/LottieVector1D.h"
#include "Lottie/Values/LottieVector3D.h"

namespace lottie {

inline double lerpNumber(double from, double to, double amount) { return from + (to - from) * amount; }

inline LottieVector3D lerpVector(const LottieVector3D& from, const LottieVector3D& to, double amount) {
    return {lerpNumber(from.x, to.x, amount), lerpNumber(from.y, to.y, amount), lerpNumber(from.z, to.z, amount)};
}

inline LottieVector1D lerpVector(LottieVector1D from, LottieVector1D to, double amount) {
    return LottieVector1D(lerpNumber(from.value, to.value, amount));
}

}  // namespace lottie
