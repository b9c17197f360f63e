#pragma once
// A solid stroke ("st"): outlines the paths of its group with an animated
// colour, opacity and width, caps, joins and an optional dash pattern.
// Decoded into an item list and shared, immutable, by both engines; the Core
// Animation engine makes copies of other widths with `withWidth`.

#include <memory>
#include <optional>

#include "Lottie/Model/DashElement.h"
#include "Lottie/Model/Protocols/StrokeShapeItem.h"
#include "Lottie/Model/ShapeItems/ShapeItem.h"
#include "Lottie/Model/ShapeItems/ShapeItemDecoding.h"
#include "Lottie/Values/LottieColor.h"

namespace lottie {

class Stroke : public ShapeItem, public StrokeShapeItem {
public:
    explicit Stroke(const Dictionary& dictionary);
    explicit Stroke(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const override;

    KeyframeGroupPtr<LottieVector1D> opacity() const override { return fields_.opacity; }
    KeyframeGroupPtr<LottieColor> color() const { return fields_.color; }
    KeyframeGroupPtr<LottieVector1D> width() const override { return fields_.width; }
    LineCap lineCap() const override { return fields_.lineCap; }
    LineJoin lineJoin() const override { return fields_.lineJoin; }
    double miterLimit() const override { return fields_.miterLimit; }
    // Absent when the document has no valid pattern; an empty "d" is an empty pattern.
    const std::optional<DashPattern>& dashPattern() const override { return fields_.dashPattern; }

    KeyframeGroupPtr<LottieColor> strokeColor() const override { return fields_.color; }
    std::shared_ptr<const StrokeShapeItem> withWidth(KeyframeGroupPtr<LottieVector1D> width) const override;

protected:
    bool equals(const ShapeItem& other) const override;

private:
    struct Fields {
        KeyframeGroupPtr<LottieVector1D> opacity;
        KeyframeGroupPtr<LottieColor> color;
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
    Stroke(Fields fields, const Source& source) : ShapeItem(source), fields_(std::move(fields)) {}
    // A copy made in code: the base fields are set directly.
    Stroke(Fields fields, std::string name, bool hidden);

    Fields fields_;
};

}  // namespace lottie
