#include "Lottie/Model/ShapeItems/GradientFill.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/GradientFill";
constexpr unsigned opacityLine = 38;
constexpr unsigned startPointLine = 40;
constexpr unsigned endPointLine = 42;
constexpr unsigned gradientTypeLine = 44;
constexpr unsigned unknownGradientTypeLine = 46;
constexpr GradientColors::ErrorLines gradientLines{59, 60, 62};

}  // namespace

GradientFill::GradientFill(const Dictionary& dictionary) : GradientFill(readFields(dictionary), dictionary) {}

GradientFill::GradientFill(const platform::json::Decoder& decoder) : GradientFill(decodeFields(decoder), decoder) {}

GradientFill::Fields GradientFill::readFields(const Dictionary& dictionary) {
    Fields fields;
    fields.opacity = requiredGroup<LottieVector1D>(dictionary, "o", file, opacityLine);
    fields.startPoint = requiredGroup<LottieVector3D>(dictionary, "s", file, startPointLine);
    fields.endPoint = requiredGroup<LottieVector3D>(dictionary, "e", file, endPointLine);
    auto type = enumerationFromRawValue<GradientType>(value<std::int64_t>(dictionary, "t", file, gradientTypeLine));
    if (!type) throw InitializableError::invalidInput(file, unknownGradientTypeLine);
    fields.gradientType = *type;
    fields.highlightLength = optionalGroupOrNone<LottieVector1D>(dictionary, "h");
    fields.highlightAngle = optionalGroupOrNone<LottieVector1D>(dictionary, "a");
    fields.gradient = GradientColors::fromItem(dictionary, file, gradientLines);
    fields.fillRule = enumerationIfValid<FillRule>(dictionary, "r").value_or(FillRule::nonZeroWinding);
    return fields;
}

GradientFill::Fields GradientFill::decodeFields(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    Fields fields;
    fields.opacity = decodeGroup<LottieVector1D>(container, "o");
    fields.startPoint = decodeGroup<LottieVector3D>(container, "s");
    fields.endPoint = decodeGroup<LottieVector3D>(container, "e");
    fields.gradientType = decodeEnumeration<GradientType>(container, "t");
    fields.highlightLength = decodeGroupIfPresent<LottieVector1D>(container, "h");
    fields.highlightAngle = decodeGroupIfPresent<LottieVector1D>(container, "a");
    // This decoder reads the fill rule before the colour stops.
    fields.fillRule = decodeEnumerationIfPresent<FillRule>(container, "r").value_or(FillRule::nonZeroWinding);
    fields.gradient = GradientColors::decodeFromItem(container);
    return fields;
}

void GradientFill::encode(platform::json::Encoder& encoder) const {
    ShapeItem::encode(encoder);
    auto container = encoder.container();
    container.encode("o", fields_.opacity);
    container.encode("s", fields_.startPoint);
    container.encode("e", fields_.endPoint);
    container.encode("t", rawValue(fields_.gradientType));
    container.encodeIfPresent("h", fields_.highlightLength);
    container.encodeIfPresent("a", fields_.highlightAngle);
    container.encode("r", rawValue(fields_.fillRule));
    fields_.gradient.encodeIntoItem(container);
}

bool GradientFill::equals(const ShapeItem& other) const {
    const auto& that = static_cast<const GradientFill&>(other);
    const Fields& a = fields_;
    const Fields& b = that.fields_;
    return ShapeItem::equals(other) && sameGroup(a.opacity, b.opacity) && sameGroup(a.startPoint, b.startPoint) &&
           sameGroup(a.endPoint, b.endPoint) && a.gradientType == b.gradientType &&
           sameGroup(a.highlightLength, b.highlightLength) && sameGroup(a.highlightAngle, b.highlightAngle) &&
           a.gradient == b.gradient && a.fillRule == b.fillRule;
}

}  // namespace lottie
