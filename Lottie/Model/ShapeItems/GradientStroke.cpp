#include "Lottie/Model/ShapeItems/GradientStroke.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/GradientStroke";
constexpr GradientGeometry::ErrorLines geometryLines{53, 55, 57, 59, 61};
constexpr unsigned widthLine = 74;
constexpr GradientColors::ErrorLines gradientLines{93, 94, 96};

}  // namespace

GradientStroke::GradientStroke(const Dictionary& dictionary) : GradientStroke(readFields(dictionary), dictionary) {}

GradientStroke::GradientStroke(const platform::json::Decoder& decoder)
    : GradientStroke(decodeFields(decoder), decoder) {}

GradientStroke::GradientStroke(Fields fields, std::string name, bool hidden)
    : ShapeItem(std::move(name), ShapeType::gradientStroke, hidden), fields_(std::move(fields)) {}

GradientStroke::Fields GradientStroke::readFields(const Dictionary& dictionary) {
    Fields fields;
    fields.geometry = GradientGeometry::fromItem(dictionary, file, geometryLines);
    fields.width = requiredGroup<LottieVector1D>(dictionary, "w", file, widthLine);
    fields.lineCap = enumerationIfValid<LineCap>(dictionary, "lc").value_or(LineCap::round);
    fields.lineJoin = enumerationIfValid<LineJoin>(dictionary, "lj").value_or(LineJoin::round);
    fields.miterLimit = inlineValue<double>(dictionary, "ml").value_or(4);
    fields.gradient = GradientColors::fromItem(dictionary, file, gradientLines);
    fields.dashPattern = DashElement::patternFromDictionary(dictionary, "d");
    return fields;
}

GradientStroke::Fields GradientStroke::decodeFields(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    Fields fields;
    fields.geometry = GradientGeometry::decodeFromItem(container);
    fields.width = decodeGroup<LottieVector1D>(container, "w");
    fields.lineCap = decodeEnumerationIfPresent<LineCap>(container, "lc").value_or(LineCap::round);
    fields.lineJoin = decodeEnumerationIfPresent<LineJoin>(container, "lj").value_or(LineJoin::round);
    fields.miterLimit = container.decodeIfPresent<double>("ml").value_or(4);
    fields.gradient = GradientColors::decodeFromItem(container);
    fields.dashPattern = container.decodeIfPresent<DashPattern>("d");
    return fields;
}

void GradientStroke::encode(platform::json::Encoder& encoder) const {
    ShapeItem::encode(encoder);
    auto container = encoder.container();
    fields_.geometry.encodeIntoItem(container);
    container.encode("w", fields_.width);
    container.encode("lc", rawValue(fields_.lineCap));
    container.encode("lj", rawValue(fields_.lineJoin));
    container.encode("ml", fields_.miterLimit);
    fields_.gradient.encodeIntoItem(container);
    container.encodeIfPresent("d", fields_.dashPattern);
}

std::shared_ptr<const StrokeShapeItem> GradientStroke::withWidth(KeyframeGroupPtr<LottieVector1D> width) const {
    Fields fields = fields_;
    fields.width = std::move(width);
    return std::shared_ptr<const GradientStroke>(new GradientStroke(std::move(fields), name(), hidden()));
}

std::shared_ptr<const ShapeItem> GradientStroke::withPoints(KeyframeGroupPtr<LottieVector3D> start,
                                                  KeyframeGroupPtr<LottieVector3D> end) const {
    Fields fields = fields_;
    fields.geometry.startPoint = std::move(start);
    fields.geometry.endPoint = std::move(end);
    return std::shared_ptr<const GradientStroke>(new GradientStroke(std::move(fields), name(), hidden()));
}

bool GradientStroke::equals(const ShapeItem& other) const {
    const auto& that = static_cast<const GradientStroke&>(other);
    const Fields& a = fields_;
    const Fields& b = that.fields_;
    return ShapeItem::equals(other) && a.geometry == b.geometry && a.gradient == b.gradient && sameGroup(a.width, b.width) && a.lineCap == b.lineCap &&
           a.lineJoin == b.lineJoin && a.miterLimit == b.miterLimit && samePattern(a.dashPattern, b.dashPattern);
}

}  // namespace lottie
