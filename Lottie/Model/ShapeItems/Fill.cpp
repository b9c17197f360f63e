#include "Lottie/Model/ShapeItems/Fill.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/Fill";
constexpr unsigned opacityLine = 31;
constexpr unsigned colorLine = 33;

}  // namespace

Fill::Fill(const Dictionary& dictionary) : Fill(readFields(dictionary), dictionary) {}

Fill::Fill(const platform::json::Decoder& decoder) : Fill(decodeFields(decoder), decoder) {}

Fill::Fields Fill::readFields(const Dictionary& dictionary) {
    Fields fields;
    fields.opacity = requiredGroup<LottieVector1D>(dictionary, "o", file, opacityLine);
    fields.color = requiredGroup<LottieColor>(dictionary, "c", file, colorLine);
    fields.fillRule = enumerationIfValid<FillRule>(dictionary, "r").value_or(FillRule::nonZeroWinding);
    return fields;
}

Fill::Fields Fill::decodeFields(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    Fields fields;
    fields.opacity = decodeGroup<LottieVector1D>(container, "o");
    fields.color = decodeGroup<LottieColor>(container, "c");
    fields.fillRule = decodeEnumerationIfPresent<FillRule>(container, "r").value_or(FillRule::nonZeroWinding);
    return fields;
}

void Fill::encode(platform::json::Encoder& encoder) const {
    ShapeItem::encode(encoder);
    auto container = encoder.container();
    container.encode("o", fields_.opacity);
    container.encode("c", fields_.color);
    container.encode("r", rawValue(fields_.fillRule));
}

bool Fill::equals(const ShapeItem& other) const {
    const auto& that = static_cast<const Fill&>(other);
    return ShapeItem::equals(other) && sameGroup(fields_.opacity, that.fields_.opacity) &&
           sameGroup(fields_.color, that.fields_.color) && fields_.fillRule == that.fields_.fillRule;
}

}  // namespace lottie
