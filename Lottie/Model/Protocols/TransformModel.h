#pragma once
// The ten animated components of a transform as the Core Animation engine
// reads them, whether they come from a layer, a shape group or one copy of a
// repeater. The conforming model object owns the groups.

#include "Lottie/Model/KeyframeGroupReading.h"
#include "Lottie/Values/LottieVector1D.h"
#include "Lottie/Values/LottieVector3D.h"

namespace lottie {

class TransformModel {
public:
    virtual ~TransformModel() = default;

    virtual KeyframeGroupPtr<LottieVector3D> anchorPoint() const = 0;
    // Null exactly when the position is given as separate x and y components
    // (only a layer transform does that).
    virtual KeyframeGroupPtr<LottieVector3D> position() const = 0;
    // Null unless the position is split.
    virtual KeyframeGroupPtr<LottieVector1D> positionX() const = 0;
    virtual KeyframeGroupPtr<LottieVector1D> positionY() const = 0;
    // Percent.
    virtual KeyframeGroupPtr<LottieVector3D> scale() const = 0;
    // Degrees.
    virtual KeyframeGroupPtr<LottieVector1D> rotationX() const = 0;
    virtual KeyframeGroupPtr<LottieVector1D> rotationY() const = 0;
    virtual KeyframeGroupPtr<LottieVector1D> rotationZ() const = 0;
    // Null where the transform has no skew.
    virtual KeyframeGroupPtr<LottieVector1D> skew() const = 0;
    virtual KeyframeGroupPtr<LottieVector1D> skewAxis() const = 0;
};

}  // namespace lottie
