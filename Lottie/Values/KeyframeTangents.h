#pragma once
// The four optional tangents of a keyframe: the easing control points of the
// timing curves that arrive and leave, and the motion path's spatial tangents.
// Owned by the keyframes that share it; immutable.

#include <optional>

#include "Lottie/Values/LottieVector2D.h"
#include "Lottie/Values/LottieVector3D.h"

namespace lottie {

struct KeyframeTangents {
    std::optional<LottieVector2D> inTangent;
    std::optional<LottieVector2D> outTangent;
    std::optional<LottieVector3D> spatialInTangent;
    std::optional<LottieVector3D> spatialOutTangent;

    bool operator==(const KeyframeTangents&) const = default;

    // The block of a keyframe without tangents.
    static const KeyframeTangents& none() {
        static const KeyframeTangents empty;
        return empty;
    }
};

}  // namespace lottie
