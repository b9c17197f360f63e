#pragma once
// What the Core Animation engine reads of every model object whose opacity it
// animates: fills, strokes, gradients, the group transform and the layer
// transform. The model object owns the group; the engine only reads it.

#include "Lottie/Model/KeyframeGroupReading.h"
#include "Lottie/Values/LottieVector1D.h"

namespace lottie {

class OpacityAnimationModel {
public:
    virtual ~OpacityAnimationModel() = default;

    // Percent, 0 to 100.
    virtual KeyframeGroupPtr<LottieVector1D> opacity() const = 0;
};

}  // namespace lottie
