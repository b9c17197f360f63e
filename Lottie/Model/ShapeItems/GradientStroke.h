#pragma once
// A gradient stroke ("gs"): outlines the paths of its group with a linear or
// radial gradient, with the width, caps, joins and dash pattern of a solid
// stroke. Decoded into an item list and shared, immutable, by both engines;
// the Core Animation engine makes copies of other widths with `withWidth`.

#include <memory>
#include <optional>
#include <string>

#include "Lottie/Model/DashElement.h"
#include "Lottie/Model/Protocols/GradientShapeItem.h"
#include "Lottie/Model/Protocols/StrokeShapeItem.h"
#include "Lottie/Model/ShapeItems/GradientColors.h"
#include "Lottie/Model/ShapeItems/GradientGeometry.h"
#include "Lottie/Model/ShapeItems/ShapeItem.h"
#include "Lottie/Model/ShapeItems/ShapeItemDecoding.h"

namespace lottie {

class GradientStroke : public ShapeItem, public GradientShapeItem, public StrokeShapeItem {
public:
    explicit GradientStroke(const Dictionary& dictionary);
    explicit GradientStroke(const platform::json::Decoder& decoder);

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
    KeyframeGroupPtr<LottieVector1D> width() const override { return fields_.width; }
    LineCap lineCap() const override { return fields_.lineCap; }
    LineJoin lineJoin() const override { return fields_.lineJoin; }
    double miterLimit() const override { return fields_.miterLimit; }
    const std::optional<DashPattern>& dashPattern() const override { return fields_.dashPattern; }

    // A gradient stroke has no solid colour.
    KeyframeGroupPtr<LottieColor> strokeColor() const override { return nullptr; }
    std::shared_ptr<const StrokeShapeItem> withWidth(KeyframeGroupPtr<LottieVector1D> width) const override;

protected:
    bool equals(const ShapeItem& other) const override;

private:
    struct Fields {
        GradientGeometry geometry;
        GradientColors gradient;
        KeyframeGroupPtr<LottieVector1D> width;
        LineCap lineCap = LineCap::round;
        LineJoin lineJoin = LineJoin::round;
        double miterLimit = 4;
        std::optional<DashPattern> dashPattern;
    };
    static Fields readFields(const Dictionary& dictionary);
    static Fields decodeFields(const platform::json::Decoder& decoder);
    // The own keys are read before the base keys, so their errors come first.
    template <class Source>
    GradientStroke(Fields fields, const Source& source) : ShapeItem(source), fields_(std::move(fields)) {}
    // A copy made in code: the base fields are set directly.
    GradientStroke(Fields fields, std::string name, bool hidden);

    Fields fields_;
};

}  // namespace lottie
