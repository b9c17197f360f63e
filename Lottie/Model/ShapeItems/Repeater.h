#pragma once
// Draws the contents before it a number of times ("rp"), each copy moved by
// the transform of its "tr" object and faded from a start to an end opacity.
// Decoded into an item list and shared, immutable, by both engines; the Core
// Animation engine reads its transform through RepeaterTransform.

#include "Lottie/Model/ShapeItems/ShapeItem.h"
#include "Lottie/Model/ShapeItems/ShapeItemDecoding.h"
#include "Lottie/Values/LottieVector1D.h"
#include "Lottie/Values/LottieVector3D.h"

namespace lottie {

class Repeater : public ShapeItem {
public:
    explicit Repeater(const Dictionary& dictionary);
    explicit Repeater(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const override;

    KeyframeGroupPtr<LottieVector1D> copies() const { return fields_.copies; }
    KeyframeGroupPtr<LottieVector1D> offset() const { return fields_.offset; }
    // Percent.
    KeyframeGroupPtr<LottieVector1D> startOpacity() const { return fields_.startOpacity; }
    KeyframeGroupPtr<LottieVector1D> endOpacity() const { return fields_.endOpacity; }
    KeyframeGroupPtr<LottieVector1D> rotationX() const { return fields_.rotationX; }
    KeyframeGroupPtr<LottieVector1D> rotationY() const { return fields_.rotationY; }
    KeyframeGroupPtr<LottieVector1D> rotationZ() const { return fields_.rotationZ; }
    KeyframeGroupPtr<LottieVector3D> anchorPoint() const { return fields_.anchorPoint; }
    KeyframeGroupPtr<LottieVector3D> position() const { return fields_.position; }
    // Percent.
    KeyframeGroupPtr<LottieVector3D> scale() const { return fields_.scale; }

protected:
    bool equals(const ShapeItem& other) const override;

private:
    struct Fields {
        KeyframeGroupPtr<LottieVector1D> copies;
        KeyframeGroupPtr<LottieVector1D> offset;
        KeyframeGroupPtr<LottieVector1D> startOpacity;
        KeyframeGroupPtr<LottieVector1D> endOpacity;
        KeyframeGroupPtr<LottieVector1D> rotationX;
        KeyframeGroupPtr<LottieVector1D> rotationY;
        KeyframeGroupPtr<LottieVector1D> rotationZ;
        KeyframeGroupPtr<LottieVector3D> anchorPoint;
        KeyframeGroupPtr<LottieVector3D> position;
        KeyframeGroupPtr<LottieVector3D> scale;
    };
    static Fields readFields(const Dictionary& dictionary);
    static Fields decodeFields(const platform::json::Decoder& decoder);
    // The own keys are read before the base keys, so their errors come first.
    template <class Source>
    Repeater(Fields fields, const Source& source) : ShapeItem(source), fields_(std::move(fields)) {}

    Fields fields_;
};

}  // namespace lottie
