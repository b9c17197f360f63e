#pragma once
// A gradient fill ("gf"): paints the paths of its group with a linear or
// radial gradient between animated points, through animated colour stops.
// Decoded into an item list and shared, immutable, by both engines.

#include "Lottie/Model/Protocols/GradientShapeItem.h"
#include "Lottie/Model/ShapeItems/GradientColors.h"
#include "Lottie/Model/ShapeItems/GradientGeometry.h"
#include "Lottie/Model/ShapeItems/ShapeItem.h"
#include "Lottie/Model/ShapeItems/ShapeItemDecoding.h"

namespace lottie {

class GradientFill : public ShapeItem, public GradientShapeItem {
public:
    explicit GradientFill(const Dictionary& dictionary);
    explicit GradientFill(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const override;

    KeyframeGroupPtr<LottieVector1D> opacity() const override { return fields_.geometry.opacity; }
    KeyframeGroupPtr<LottieVector3D> startPoint() const override { return fields_.geometry.startPoint; }
    KeyframeGroupPtr<LottieVector3D> endPoint() const override { return fields_.geometry.endPoint; }
    GradientType gradientType() const override { return fields_.geometry.gradientType; }
    // Null when the document has none.
    KeyframeGroupPtr<LottieVector1D> highlightLength() const { return fields_.geometry.highlightLength; }
    KeyframeGroupPtr<LottieVector1D> highlightAngle() const { return fields_.geometry.highlightAngle; }
    int numberOfColors() const override { return fields_.gradient.numberOfColors; }
    KeyframeGroupPtr<std::vector<double>> colors() const override { return fields_.gradient.colors; }
    std::shared_ptr<const ShapeItem> withPoints(KeyframeGroupPtr<LottieVector3D> start,
                                                KeyframeGroupPtr<LottieVector3D> end) const override;
    FillRule fillRule() const { return fields_.fillRule; }

protected:
    bool equals(const ShapeItem& other) const override;

private:
    struct Fields {
        GradientGeometry geometry;
        GradientColors gradient;
        FillRule fillRule = FillRule::nonZeroWinding;
    };
    static Fields readFields(const Dictionary& dictionary);
    static Fields decodeFields(const platform::json::Decoder& decoder);
    // The own keys are read before the base keys, so their errors come first.
    template <class Source>
    GradientFill(Fields fields, const Source& source) : ShapeItem(source), fields_(std::move(fields)) {}
    // A copy made in code: the base fields are set directly.
    GradientFill(Fields fields, std::string name, bool hidden);

    Fields fields_;
};

}  // namespace lottie
