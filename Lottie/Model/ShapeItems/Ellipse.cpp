#include "Lottie/Model/ShapeItems/Ellipse.h"

#include "Lottie/Model/ShapeItems/ShapeKeyframeInterpolation.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/Ellipse";
constexpr unsigned positionLine = 39;
constexpr unsigned sizeLine = 41;

}  // namespace

Ellipse::Ellipse(const Dictionary& dictionary) : Ellipse(readFields(dictionary), dictionary) {}

Ellipse::Ellipse(const platform::json::Decoder& decoder) : Ellipse(decodeFields(decoder), decoder) {}

Ellipse::Fields Ellipse::readFields(const Dictionary& dictionary) {
    Fields fields;
    fields.direction = enumerationIfValid<PathDirection>(dictionary, "d").value_or(PathDirection::clockwise);
    fields.position = requiredGroup<LottieVector3D>(dictionary, "p", file, positionLine);
    fields.size = requiredGroup<LottieVector3D>(dictionary, "s", file, sizeLine);
    return fields;
}

Ellipse::Fields Ellipse::decodeFields(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    Fields fields;
    fields.direction = decodeEnumerationIfPresent<PathDirection>(container, "d").value_or(PathDirection::clockwise);
    fields.position = decodeGroup<LottieVector3D>(container, "p");
    fields.size = decodeGroup<LottieVector3D>(container, "s");
    return fields;
}

void Ellipse::encode(platform::json::Encoder& encoder) const {
    ShapeItem::encode(encoder);
    auto container = encoder.container();
    container.encode("d", rawValue(fields_.direction));
    container.encode("p", fields_.position);
    container.encode("s", fields_.size);
}

bool Ellipse::equals(const ShapeItem& other) const {
    const auto& that = static_cast<const Ellipse&>(other);
    return ShapeItem::equals(other) && fields_.direction == that.fields_.direction &&
           sameGroup(fields_.position, that.fields_.position) && sameGroup(fields_.size, that.fields_.size);
}

Ellipse::Keyframe Interpolation<Ellipse::Keyframe>::interpolate(const Ellipse::Keyframe& from,
                                                                const Ellipse::Keyframe& to, double amount) {
    return {lerpVector(from.size, to.size, amount), lerpVector(from.position, to.position, amount)};
}

}  // namespace lottie
