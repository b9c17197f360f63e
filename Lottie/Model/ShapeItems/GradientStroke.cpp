#include "Lottie/Model/ShapeItems/GradientStroke.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/GradientStroke";
constexpr unsigned opacityLine = 53;
constexpr unsigned startPointLine = 55;
constexpr unsigned endPointLine = 57;
constexpr unsigned gradientTypeLine = 59;
constexpr unsigned unknownGradientTypeLine = 61;
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
    fields.opacity = requiredGroup<LottieVector1D>(dictionary, "o", file, opacityLine);
    fields.startPoint = requiredGroup<LottieVector3D>(dictionary, "s", file, startPointLine);
    fields.endPoint = requiredGroup<LottieVector3D>(dictionary, "e", file, endPointLine);
    // Any integer that names no gradient type fails, negative ones included.
    auto type = enumerationFromRawValue<GradientType>(value<std::int64_t>(dictionary, "t", file, gradientTypeLine));
    if (!type) throw InitializableError::invalidInput(file, unknownGradientTypeLine);
    fields.gradientType = *type;
    fields.highlightLength = optionalGroupOrNone<LottieVector1D>(dictionary, "h");
    fields.highlightAngle = optionalGroupOrNone<LottieVector1D>(dictionary, "a");
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
    fields.opacity = decodeGroup<LottieVector1D>(container, "o");
    fields.startPoint = decodeGroup<LottieVector3D>(container, "s");
    fields.endPoint = decodeGroup<LottieVector3D>(container, "e");
    fields.gradientType = decodeEnumeration<GradientType>(container, "t");
    fields.highlightLength = decodeGroupIfPresent<LottieVector1D>(container, "h");
    fields.highlightAngle = decodeGroupIfPresent<LottieVector1D>(container, "a");
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
    container.encode("o", fields_.opacity);
    container.encode("s", fields_.startPoint);
    container.encode("e", fields_.endPoint);
    container.encode("t", rawValue(fields_.gradientType));
    container.encodeIfPresent("h", fields_.highlightLength);
    container.encodeIfPresent("a", fields_.highlightAngle);
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

bool GradientStroke::equals(const ShapeItem& other) const {
    const auto& that = static_cast<const GradientStroke&>(other);
    const Fields& a = fields_;
    const Fields& b = that.fields_;
    return ShapeItem::equals(other) && sameGroup(a.opacity, b.opacity) && sameGroup(a.startPoint, b.startPoint) &&
           sameGroup(a.endPoint, b.endPoint) && a.gradientType == b.gradientType &&
           sameGroup(a.highlightLength, b.highlightLength) && sameGroup(a.highlightAngle, b.highlightAngle) &&
           a.gradient == b.gradient && sameGroup(a.width, b.width) && a.lineCap == b.lineCap &&
           a.lineJoin == b.lineJoin && a.miterLimit == b.miterLimit && samePattern(a.dashPattern, b.dashPattern);
}

}  // namespace lottie
