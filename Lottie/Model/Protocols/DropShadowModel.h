#pragma once
// A drop shadow as both engines read it, whether it comes from a layer effect
// or a layer style. Every component may be missing from the document. The
// conforming model object owns the groups.

#include "Lottie/Model/KeyframeGroupReading.h"
#include "Lottie/Values/LottieColor.h"
#include "Lottie/Values/LottieVector1D.h"

namespace lottie {

class DropShadowModel {
public:
    virtual ~DropShadowModel() = default;

    // Percent, 0 to 100.
    virtual KeyframeGroupPtr<LottieVector1D> opacity() const = 0;
    virtual KeyframeGroupPtr<LottieVector1D> radius() const = 0;
    virtual KeyframeGroupPtr<LottieColor> color() const = 0;
    // Degrees.
    virtual KeyframeGroupPtr<LottieVector1D> angle() const = 0;
    virtual KeyframeGroupPtr<LottieVector1D> distance() const = 0;
};

}  // namespace lottie
