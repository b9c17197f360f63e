#pragma once
// A layer's animated transform ("ks"): anchor point, position (one 3-D
// property or separate x and y), scale, rotations about x, y and z, and
// opacity. Immutable once decoded; both engines read it.

#include <memory>

#include "Lottie/Model/KeyframeGroupReading.h"
#include "Lottie/Model/Protocols/OpacityAnimationModel.h"
#include "Lottie/Model/Protocols/TransformModel.h"
#include "Lottie/Values/LottieVector1D.h"
#include "Lottie/Values/LottieVector3D.h"

namespace lottie {

class Transform final : public TransformModel, public OpacityAnimationModel {
public:
    // The default transform: anchor and position at the origin, scale 100%,
    // no rotation, opacity 100%.
    Transform();
    explicit Transform(const Dictionary& dictionary);
    explicit Transform(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const;

    KeyframeGroupPtr<LottieVector3D> anchorPoint() const override { return anchorPoint_; }
    // Present exactly when the split positions are absent.
    KeyframeGroupPtr<LottieVector3D> position() const override { return position_; }
    KeyframeGroupPtr<LottieVector1D> positionX() const override { return positionX_; }
    KeyframeGroupPtr<LottieVector1D> positionY() const override { return positionY_; }
    KeyframeGroupPtr<LottieVector3D> scale() const override { return scale_; }
    KeyframeGroupPtr<LottieVector1D> rotationX() const override { return rotationX_; }
    KeyframeGroupPtr<LottieVector1D> rotationY() const override { return rotationY_; }
    KeyframeGroupPtr<LottieVector1D> rotationZ() const override { return rotationZ_; }
    // A layer transform has no skew.
    KeyframeGroupPtr<LottieVector1D> skew() const override { return nullptr; }
    KeyframeGroupPtr<LottieVector1D> skewAxis() const override { return nullptr; }
    KeyframeGroupPtr<LottieVector1D> opacity() const override { return opacity_; }
    // Written as "r" when set; neither decoder sets it (a lone "r" is rotationZ).
    KeyframeGroupPtr<LottieVector1D> rotation() const { return rotation_; }

private:
    KeyframeGroupPtr<LottieVector3D> anchorPoint_;
    KeyframeGroupPtr<LottieVector3D> position_;
    KeyframeGroupPtr<LottieVector1D> positionX_;
    KeyframeGroupPtr<LottieVector1D> positionY_;
    KeyframeGroupPtr<LottieVector3D> scale_;
    KeyframeGroupPtr<LottieVector1D> rotationX_;
    KeyframeGroupPtr<LottieVector1D> rotationY_;
    KeyframeGroupPtr<LottieVector1D> rotationZ_;
    KeyframeGroupPtr<LottieVector1D> opacity_;
    KeyframeGroupPtr<LottieVector1D> rotation_;
};

}  // namespace lottie
