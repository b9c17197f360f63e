#include "Lottie/Model/ShapeItems/GradientFill.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/GradientFill";
constexpr GradientGeometry::ErrorLines geometryLines{38, 40, 42, 44, 46};
constexpr GradientColors::ErrorLines gradientLines{59, 60, 62};

}  // namespace

GradientFill::GradientFill(const Dictionary& dictionary) : GradientFill(readFields(dictionary), dictionary) {}

GradientFill::GradientFill(const platform::json::Decoder& decoder) : GradientFill(decodeFields(decoder), decoder) {}

GradientFill::Fields GradientFill::readFields(const Dictionary& dictionary) {
    Fields fields;
    fields.geometry = GradientGeometry::fromItem(dictionary, file, geometryLines);
    fields.gradient = GradientColors::fromItem(dictionary, file, gradientLines);
    fields.fillRule = enumerationIfValid<FillRule>(dictionary, "r").value_or(FillRule::nonZeroWinding);
    return fields;
}

GradientFill::Fields GradientFill::decodeFields(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    Fields fields;
    fields.geometry = GradientGeometry::decodeFromItem(container);
    // This decoder reads the fill rule before the colour stops.
    fields.fillRule = decodeEnumerationIfPresent<FillRule>(container, "r").value_or(FillRule::nonZeroWinding);
    fields.gradient = GradientColors::decodeFromItem(container);
    return fields;
}

void GradientFill::encode(platform::json::Encoder& encoder) const {
    ShapeItem::encode(encoder);
    auto container = encoder.container();
    fields_.geometry.encodeIntoItem(container);
    container.encode("r", rawValue(fields_.fillRule));
    fields_.gradient.encodeIntoItem(container);
}

GradientFill::GradientFill(Fields fields, std::string name, bool hidden)
    : ShapeItem(std::move(name), ShapeType::gradientFill, hidden), fields_(std::move(fields)) {}

std::shared_ptr<const ShapeItem> GradientFill::withPoints(KeyframeGroupPtr<LottieVector3D> start,
                                                  KeyframeGroupPtr<LottieVector3D> end) const {
    Fields fields = fields_;
    fields.geometry.startPoint = std::move(start);
    fields.geometry.endPoint = std::move(end);
    return std::shared_ptr<const GradientFill>(new GradientFill(std::move(fields), name(), hidden()));
}

bool GradientFill::equals(const ShapeItem& other) const {
    const auto& that = static_cast<const GradientFill&>(other);
    const Fields& a = fields_;
    const Fields& b = that.fields_;
    return ShapeItem::equals(other) && a.geometry == b.geometry && a.gradient == b.gradient && a.fillRule == b.fillRule;
}

}  // namespace lottie
