#pragma once
// A stroke's width inside a scaled shape group of the Core Animation engine.
// The group's layer carries the group's scale, which would widen the stroke
// with it; so each width is divided by the scale (width x 100 / scale x, the
// two keyframe groups combined). A scale whose x and y differ cannot be undone
// on a stroke: that is a compatibility issue naming the stroke. A scale x of 0
// shows nothing of the group, so the width stays as it is rather than infinite.
// Used when the layer tree builds a shape group; keeps nothing.

#include <string>

#include "Lottie/CoreAnimation/LayerContext.h"
#include "Lottie/Values/KeyframeGroup.h"
#include "Lottie/Values/LottieVector1D.h"
#include "Lottie/Values/LottieVector3D.h"

namespace lottie {

struct GroupScaledStrokeWidth {
    // Throws CompatibilityTracker::Error in abort mode.
    static KeyframeGroup<LottieVector1D> combined(const KeyframeGroup<LottieVector1D>& width,
                                                  const KeyframeGroup<LottieVector3D>& scale,
                                                  const std::string& strokeName, const LayerContext& context);
    // The message of a scale with different x and y.
    static std::string separateScaleMessage(double x, double y, const std::string& strokeName);
};

}  // namespace lottie
