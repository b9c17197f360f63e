#pragma once
// The transform of one repeater copy as the Core Animation engine reads it: a
// small value the engine builds from a Repeater, sharing the repeater's
// groups, or, for copy i, with its position and rotations multiplied by i.
// It has no split position and no skew.

#include "Lottie/Model/Protocols/TransformModel.h"
#include "Lottie/Model/ShapeItems/Repeater.h"

namespace lottie {

class RepeaterTransform : public TransformModel {
public:
    explicit RepeaterTransform(const Repeater& repeater)
        : anchorPoint_(repeater.anchorPoint()),
          position_(repeater.position()),
          rotationX_(repeater.rotationX()),
          rotationY_(repeater.rotationY()),
          rotationZ_(repeater.rotationZ()),
          scale_(repeater.scale()) {}
    // Copy `index`: anchor point and scale as they stand, position and rotations
    // multiplied by the index, timing and expression text kept.
    RepeaterTransform(const Repeater& repeater, int index);

    KeyframeGroupPtr<LottieVector3D> anchorPoint() const override { return anchorPoint_; }
    KeyframeGroupPtr<LottieVector3D> position() const override { return position_; }
    KeyframeGroupPtr<LottieVector1D> positionX() const override { return nullptr; }
    KeyframeGroupPtr<LottieVector1D> positionY() const override { return nullptr; }
    KeyframeGroupPtr<LottieVector3D> scale() const override { return scale_; }
    KeyframeGroupPtr<LottieVector1D> rotationX() const override { return rotationX_; }
    KeyframeGroupPtr<LottieVector1D> rotationY() const override { return rotationY_; }
    KeyframeGroupPtr<LottieVector1D> rotationZ() const override { return rotationZ_; }
    KeyframeGroupPtr<LottieVector1D> skew() const override { return nullptr; }
    KeyframeGroupPtr<LottieVector1D> skewAxis() const override { return nullptr; }

private:
    KeyframeGroupPtr<LottieVector3D> anchorPoint_;
    KeyframeGroupPtr<LottieVector3D> position_;
    KeyframeGroupPtr<LottieVector1D> rotationX_;
    KeyframeGroupPtr<LottieVector1D> rotationY_;
    KeyframeGroupPtr<LottieVector1D> rotationZ_;
    KeyframeGroupPtr<LottieVector3D> scale_;
};

}  // namespace lottie
