#pragma once
// What the Core Animation engine reads of a gradient fill or stroke. The
// colour stops are one flat animated list of numbers laid out for
// `numberOfColors` stops. The item owns the groups.

#include <vector>

#include "Lottie/Model/Protocols/OpacityAnimationModel.h"
#include "Lottie/Model/ShapeItems/ShapeItemEnumerations.h"
#include "Lottie/Values/LottieVector3D.h"

namespace lottie {

class ShapeItem;

class GradientShapeItem : public virtual OpacityAnimationModel {
public:
    virtual KeyframeGroupPtr<LottieVector3D> startPoint() const = 0;
    virtual KeyframeGroupPtr<LottieVector3D> endPoint() const = 0;
    virtual GradientType gradientType() const = 0;
    virtual int numberOfColors() const = 0;
    virtual KeyframeGroupPtr<std::vector<double>> colors() const = 0;
    // A copy between other points, everything else shared (the Core Animation
    // engine's gradients inherited by a transformed group).
    virtual std::shared_ptr<const ShapeItem> withPoints(KeyframeGroupPtr<LottieVector3D> start,
                                                        KeyframeGroupPtr<LottieVector3D> end) const = 0;
};

}  // namespace lottie
