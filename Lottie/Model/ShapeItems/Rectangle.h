#pragma once
// A rectangle path source ("rc"): animated size, centre and corner radius and
// the direction in which its path is drawn. Decoded into an item list and
// shared, immutable, by both engines.

#include "Lottie/Model/ShapeItems/ShapeItem.h"
#include "Lottie/Model/ShapeItems/ShapeItemDecoding.h"
#include "Lottie/Values/Interpolatable.h"
#include "Lottie/Values/LottieVector1D.h"
#include "Lottie/Values/LottieVector3D.h"

namespace lottie {

class Rectangle : public ShapeItem {
public:
    explicit Rectangle(const Dictionary& dictionary);
    explicit Rectangle(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const override;

    PathDirection direction() const { return fields_.direction; }
    KeyframeGroupPtr<LottieVector3D> position() const { return fields_.position; }
    KeyframeGroupPtr<LottieVector3D> size() const { return fields_.size; }
    KeyframeGroupPtr<LottieVector1D> cornerRadius() const { return fields_.cornerRadius; }

    // Size, centre and corner radius of one frame together: the value the Core
    // Animation engine animates a rectangle's path by.
    struct Keyframe {
        LottieVector3D size;
        LottieVector3D position;
        LottieVector1D cornerRadius;
        bool operator==(const Keyframe&) const = default;
    };

protected:
    bool equals(const ShapeItem& other) const override;

private:
    struct Fields {
        PathDirection direction = PathDirection::clockwise;
        KeyframeGroupPtr<LottieVector3D> position;
        KeyframeGroupPtr<LottieVector3D> size;
        KeyframeGroupPtr<LottieVector1D> cornerRadius;
    };
    static Fields readFields(const Dictionary& dictionary);
    static Fields decodeFields(const platform::json::Decoder& decoder);
    // The own keys are read before the base keys, so their errors come first.
    template <class Source>
    Rectangle(Fields fields, const Source& source) : ShapeItem(source), fields_(std::move(fields)) {}

    Fields fields_;
};

template <>
struct Interpolation<Rectangle::Keyframe> {
    static Rectangle::Keyframe interpolate(const Rectangle::Keyframe& from, const Rectangle::Keyframe& to,
                                           double amount);
};

}  // namespace lottie
