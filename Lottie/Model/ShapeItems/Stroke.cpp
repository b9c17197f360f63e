#include "Lottie/Model/ShapeItems/Stroke.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/Stroke";
constexpr unsigned opacityLine = 27;
constexpr unsigned colorLine = 29;
constexpr unsigned widthLine = 31;

}  // namespace

Stroke::Stroke(const Dictionary& dictionary) : Stroke(readFields(dictionary), dictionary) {}

Stroke::Stroke(const platform::json::Decoder& decoder) : Stroke(decodeFields(decoder), decoder) {}

Stroke::Stroke(Fields fields, std::string name, bool hidden)
    : ShapeItem(std::move(name), ShapeType::stroke, hidden), fields_(std::move(fields)) {}

Stroke::Fields Stroke::readFields(const Dictionary& dictionary) {
    Fields fields;
    fields.opacity = requiredGroup<LottieVector1D>(dictionary, "o", file, opacityLine);
    fields.color = requiredGroup<LottieColor>(dictionary, "c", file, colorLine);
    fields.width = requiredGroup<LottieVector1D>(dictionary, "w", file, widthLine);
    fields.lineCap = enumerationIfValid<LineCap>(dictionary, "lc").value_or(LineCap::round);
    fields.lineJoin = enumerationIfValid<LineJoin>(dictionary, "lj").value_or(LineJoin::round);
    fields.miterLimit = inlineValue<double>(dictionary, "ml").value_or(4);
    fields.dashPattern = DashElement::patternFromDictionary(dictionary, "d");
    return fields;
}

Stroke::Fields Stroke::decodeFields(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    Fields fields;
    fields.opacity = decodeGroup<LottieVector1D>(container, "o");
    fields.color = decodeGroup<LottieColor>(container, "c");
    fields.width = decodeGroup<LottieVector1D>(container, "w");
    fields.lineCap = decodeEnumerationIfPresent<LineCap>(container, "lc").value_or(LineCap::round);
    fields.lineJoin = decodeEnumerationIfPresent<LineJoin>(container, "lj").value_or(LineJoin::round);
    fields.miterLimit = container.decodeIfPresent<double>("ml").value_or(4);
    fields.dashPattern = container.decodeIfPresent<DashPattern>("d");
    return fields;
}

void Stroke::encode(platform::json::Encoder& encoder) const {
    ShapeItem::encode(encoder);
    auto container = encoder.container();
    container.encode("o", fields_.opacity);
    container.encode("c", fields_.color);
    container.encode("w", fields_.width);
    container.encode("lc", rawValue(fields_.lineCap));
    container.encode("lj", rawValue(fields_.lineJoin));
    container.encode("ml", fields_.miterLimit);
    container.encodeIfPresent("d", fields_.dashPattern);
}

std::shared_ptr<const StrokeShapeItem> Stroke::withWidth(KeyframeGroupPtr<LottieVector1D> width) const {
    Fields fields = fields_;
    fields.width = std::move(width);
    return std::shared_ptr<const Stroke>(new Stroke(std::move(fields), name(), hidden()));
}

bool Stroke::equals(const ShapeItem& other) const {
    const auto& that = static_cast<const Stroke&>(other);
    const Fields& a = fields_;
    const Fields& b = that.fields_;
    return ShapeItem::equals(other) && sameGroup(a.opacity, b.opacity) && sameGroup(a.color, b.color) &&
           sameGroup(a.width, b.width) && a.lineCap == b.lineCap && a.lineJoin == b.lineJoin &&
           a.miterLimit == b.miterLimit && samePattern(a.dashPattern, b.dashPattern);
}

}  // namespace lottie
