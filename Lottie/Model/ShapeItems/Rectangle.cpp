#include "Lottie/Model/ShapeItems/Rectangle.h"

#include "Lottie/Model/ShapeItems/ShapeKeyframeInterpolation.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/Rectangle";
constexpr unsigned positionLine = 32;
constexpr unsigned sizeLine = 34;
constexpr unsigned cornerRadiusLine = 36;

}  // namespace

Rectangle::Rectangle(const Dictionary& dictionary) : Rectangle(readFields(dictionary), dictionary) {}

Rectangle::Rectangle(const platform::json::Decoder& decoder) : Rectangle(decodeFields(decoder), decoder) {}

Rectangle::Fields Rectangle::readFields(const Dictionary& dictionary) {
    Fields fields;
    fields.direction = enumerationIfValid<PathDirection>(dictionary, "d").value_or(PathDirection::clockwise);
    fields.position = requiredGroup<LottieVector3D>(dictionary, "p", file, positionLine);
    fields.size = requiredGroup<LottieVector3D>(dictionary, "s", file, sizeLine);
    fields.cornerRadius = requiredGroup<LottieVector1D>(dictionary, "r", file, cornerRadiusLine);
    return fields;
}

Rectangle::Fields Rectangle::decodeFields(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    Fields fields;
    fields.direction = decodeEnumerationIfPresent<PathDirection>(container, "d").value_or(PathDirection::clockwise);
    fields.position = decodeGroup<LottieVector3D>(container, "p");
    fields.size = decodeGroup<LottieVector3D>(container, "s");
    fields.cornerRadius = decodeGroup<LottieVector1D>(container, "r");
    return fields;
}

void Rectangle::encode(platform::json::Encoder& encoder) const {
    ShapeItem::encode(encoder);
    auto container = encoder.container();
    container.encode("d", rawValue(fields_.direction));
    container.encode("p", fields_.position);
    container.encode("s", fields_.size);
    container.encode("r", fields_.cornerRadius);
}

bool Rectangle::equals(const ShapeItem& other) const {
    const auto& that = static_cast<const Rectangle&>(other);
    return ShapeItem::equals(other) && fields_.direction == that.fields_.direction &&
           sameGroup(fields_.position, that.fields_.position) && sameGroup(fields_.size, that.fields_.size) &&
           sameGroup(fields_.cornerRadius, that.fields_.cornerRadius);
}

Rectangle::Keyframe Interpolation<Rectangle::Keyframe>::interpolate(const Rectangle::Keyframe& from,
                                                                    const Rectangle::Keyframe& to, double amount) {
    return {lerpVector(from.size, to.size, amount), lerpVector(from.position, to.position, amount),
            lerpVector(from.cornerRadius, to.cornerRadius, amount)};
}

}  // namespace lottie
