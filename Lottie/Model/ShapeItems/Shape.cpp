#include "Lottie/Model/ShapeItems/Shape.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/Shape";
constexpr unsigned pathLine = 23;

}  // namespace

Shape::Shape(const Dictionary& dictionary) : Shape(readFields(dictionary), dictionary) {}

Shape::Shape(const platform::json::Decoder& decoder) : Shape(decodeFields(decoder), decoder) {}

Shape::Fields Shape::readFields(const Dictionary& dictionary) {
    Fields fields;
    fields.path = requiredGroup<BezierPath>(dictionary, "ks", file, pathLine);
    fields.direction = enumerationIfValid<PathDirection>(dictionary, "d");
    return fields;
}

Shape::Fields Shape::decodeFields(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    Fields fields;
    fields.path = decodeGroup<BezierPath>(container, "ks");
    fields.direction = decodeEnumerationIfPresent<PathDirection>(container, "d");
    return fields;
}

void Shape::encode(platform::json::Encoder& encoder) const {
    ShapeItem::encode(encoder);
    auto container = encoder.container();
    container.encode("ks", fields_.path);
    if (fields_.direction) container.encode("d", rawValue(*fields_.direction));
}

bool Shape::equals(const ShapeItem& other) const {
    const auto& that = static_cast<const Shape&>(other);
    return ShapeItem::equals(other) && sameGroup(fields_.path, that.fields_.path) &&
           fields_.direction == that.fields_.direction;
}

}  // namespace lottie
