#pragma once
// The transform of the group that holds it ("tr"): anchor, position, scale,
// rotations, opacity and skew, each with a default when absent. Decoded into
// an item list and shared, immutable, by both engines; the Core Animation
// engine reads it through TransformModel and OpacityAnimationModel.

#include "Lottie/Model/Protocols/OpacityAnimationModel.h"
#include "Lottie/Model/Protocols/TransformModel.h"
#include "Lottie/Model/ShapeItems/ShapeItem.h"
#include "Lottie/Model/ShapeItems/ShapeItemDecoding.h"

namespace lottie {

class ShapeTransform : public ShapeItem, public TransformModel, public virtual OpacityAnimationModel {
public:
    explicit ShapeTransform(const Dictionary& dictionary);
    explicit ShapeTransform(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const override;

    KeyframeGroupPtr<LottieVector3D> anchor() const { return fields_.anchor; }
    KeyframeGroupPtr<LottieVector3D> anchorPoint() const override { return fields_.anchor; }
    KeyframeGroupPtr<LottieVector3D> position() const override { return fields_.position; }
    // A group transform never splits its position.
    KeyframeGroupPtr<LottieVector1D> positionX() const override { return nullptr; }
    KeyframeGroupPtr<LottieVector1D> positionY() const override { return nullptr; }
    KeyframeGroupPtr<LottieVector3D> scale() const override { return fields_.scale; }
    KeyframeGroupPtr<LottieVector1D> rotationX() const override { return fields_.rotationX; }
    KeyframeGroupPtr<LottieVector1D> rotationY() const override { return fields_.rotationY; }
    KeyframeGroupPtr<LottieVector1D> rotationZ() const override { return fields_.rotationZ; }
    KeyframeGroupPtr<LottieVector1D> opacity() const override { return fields_.opacity; }
    KeyframeGroupPtr<LottieVector1D> skew() const override { return fields_.skew; }
    KeyframeGroupPtr<LottieVector1D> skewAxis() const override { return fields_.skewAxis; }

protected:
    bool equals(const ShapeItem& other) const override;

private:
    struct Fields {
        KeyframeGroupPtr<LottieVector3D> anchor;
        KeyframeGroupPtr<LottieVector3D> position;
        KeyframeGroupPtr<LottieVector3D> scale;
        KeyframeGroupPtr<LottieVector1D> rotationX;
        KeyframeGroupPtr<LottieVector1D> rotationY;
        KeyframeGroupPtr<LottieVector1D> rotationZ;
        KeyframeGroupPtr<LottieVector1D> opacity;
        KeyframeGroupPtr<LottieVector1D> skew;
        KeyframeGroupPtr<LottieVector1D> skewAxis;
    };
    static Fields readFields(const Dictionary& dictionary);
    static Fields decodeFields(const platform::json::Decoder& decoder);
    // The own keys are read before the base keys, so their errors come first.
    template <class Source>
    ShapeTransform(Fields fields, const Source& source) : ShapeItem(source), fields_(std::move(fields)) {}

    Fields fields_;
};

}  // namespace lottie
