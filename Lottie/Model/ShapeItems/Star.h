#pragma once
// A star or regular polygon path source ("sr"): animated centre, radii,
// roundness, point count and rotation. A polygon uses only the outer values,
// so its inner radius and roundness may be absent. Decoded into an item list
// and shared, immutable, by both engines.

#include "Lottie/Model/ShapeItems/ShapeItem.h"
#include "Lottie/Model/ShapeItems/ShapeItemDecoding.h"
#include "Lottie/Values/Interpolatable.h"
#include "Lottie/Values/LottieVector1D.h"
#include "Lottie/Values/LottieVector3D.h"

namespace lottie {

class Star : public ShapeItem {
public:
    explicit Star(const Dictionary& dictionary);
    explicit Star(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const override;

    PathDirection direction() const { return fields_.direction; }
    KeyframeGroupPtr<LottieVector3D> position() const { return fields_.position; }
    KeyframeGroupPtr<LottieVector1D> outerRadius() const { return fields_.outerRadius; }
    KeyframeGroupPtr<LottieVector1D> outerRoundness() const { return fields_.outerRoundness; }
    // Null when the document has none.
    KeyframeGroupPtr<LottieVector1D> innerRadius() const { return fields_.innerRadius; }
    KeyframeGroupPtr<LottieVector1D> innerRoundness() const { return fields_.innerRoundness; }
    KeyframeGroupPtr<LottieVector1D> rotation() const { return fields_.rotation; }
    KeyframeGroupPtr<LottieVector1D> points() const { return fields_.points; }
    StarType starType() const { return fields_.starType; }

    // Every animated parameter of one frame together: the value the Core
    // Animation engine animates a star's or polygon's path by.
    struct Keyframe {
        LottieVector3D position;
        LottieVector1D outerRadius;
        LottieVector1D innerRadius;
        LottieVector1D outerRoundness;
        LottieVector1D innerRoundness;
        // May be fractional between keyframes.
        LottieVector1D points;
        LottieVector1D rotation;
        bool operator==(const Keyframe&) const = default;
    };

protected:
    bool equals(const ShapeItem& other) const override;

private:
    struct Fields {
        PathDirection direction = PathDirection::clockwise;
        KeyframeGroupPtr<LottieVector3D> position;
        KeyframeGroupPtr<LottieVector1D> outerRadius;
        KeyframeGroupPtr<LottieVector1D> outerRoundness;
        KeyframeGroupPtr<LottieVector1D> innerRadius;
        KeyframeGroupPtr<LottieVector1D> innerRoundness;
        KeyframeGroupPtr<LottieVector1D> rotation;
        KeyframeGroupPtr<LottieVector1D> points;
        StarType starType = StarType::star;
    };
    static Fields readFields(const Dictionary& dictionary);
    static Fields decodeFields(const platform::json::Decoder& decoder);
    // The own keys are read before the base keys, so their errors come first.
    template <class Source>
    Star(Fields fields, const Source& source) : ShapeItem(source), fields_(std::move(fields)) {}

    Fields fields_;
};

template <>
struct Interpolation<Star::Keyframe> {
    static Star::Keyframe interpolate(const Star::Keyframe& from, const Star::Keyframe& to, double amount);
};

}  // namespace lottie
