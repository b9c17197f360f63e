#pragma once
// An ellipse path source ("el"): an animated size and centre and the
// direction in which its path is drawn. Decoded into a shape layer's or
// group's item list and shared, immutable, by both engines.

#include "Lottie/Model/ShapeItems/ShapeItem.h"
#include "Lottie/Model/ShapeItems/ShapeItemDecoding.h"
#include "Lottie/Values/Interpolatable.h"
#include "Lottie/Values/LottieVector3D.h"

namespace lottie {

class Ellipse : public ShapeItem {
public:
    explicit Ellipse(const Dictionary& dictionary);
    explicit Ellipse(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const override;

    PathDirection direction() const { return fields_.direction; }
    KeyframeGroupPtr<LottieVector3D> position() const { return fields_.position; }
    KeyframeGroupPtr<LottieVector3D> size() const { return fields_.size; }

    // The size and centre of one frame together: the value the Core Animation
    // engine animates an ellipse's path by. Only x and y are drawn.
    struct Keyframe {
        LottieVector3D size;
        LottieVector3D position;
        bool operator==(const Keyframe&) const = default;
    };

protected:
    bool equals(const ShapeItem& other) const override;

private:
    struct Fields {
        PathDirection direction = PathDirection::clockwise;
        KeyframeGroupPtr<LottieVector3D> position;
        KeyframeGroupPtr<LottieVector3D> size;
    };
    static Fields readFields(const Dictionary& dictionary);
    static Fields decodeFields(const platform::json::Decoder& decoder);
    // The own keys are read before the base keys, so their errors come first.
    template <class Source>
    Ellipse(Fields fields, const Source& source) : ShapeItem(source), fields_(std::move(fields)) {}

    Fields fields_;
};

template <>
struct Interpolation<Ellipse::Keyframe> {
    static Ellipse::Keyframe interpolate(const Ellipse::Keyframe& from, const Ellipse::Keyframe& to, double amount);
};

}  // namespace lottie
