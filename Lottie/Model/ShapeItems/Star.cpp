#include "Lottie/Model/ShapeItems/Star.h"

#include "Lottie/Model/ShapeItems/ShapeKeyframeInterpolation.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/Star";
constexpr unsigned positionLine = 45;
constexpr unsigned outerRadiusLine = 47;
constexpr unsigned outerRoundnessLine = 49;
constexpr unsigned rotationLine = 61;
constexpr unsigned pointsLine = 63;
constexpr unsigned starTypeLine = 65;
constexpr unsigned unknownStarTypeLine = 67;

}  // namespace

Star::Star(const Dictionary& dictionary) : Star(readFields(dictionary), dictionary) {}

Star::Star(const platform::json::Decoder& decoder) : Star(decodeFields(decoder), decoder) {}

Star::Fields Star::readFields(const Dictionary& dictionary) {
    Fields fields;
    fields.direction = enumerationIfValid<PathDirection>(dictionary, "d").value_or(PathDirection::clockwise);
    fields.position = requiredGroup<LottieVector3D>(dictionary, "p", file, positionLine);
    fields.outerRadius = requiredGroup<LottieVector1D>(dictionary, "or", file, outerRadiusLine);
    fields.outerRoundness = requiredGroup<LottieVector1D>(dictionary, "os", file, outerRoundnessLine);
    fields.innerRadius = optionalGroup<LottieVector1D>(dictionary, "ir");
    fields.innerRoundness = optionalGroup<LottieVector1D>(dictionary, "is");
    fields.rotation = requiredGroup<LottieVector1D>(dictionary, "r", file, rotationLine);
    fields.points = requiredGroup<LottieVector1D>(dictionary, "pt", file, pointsLine);
    auto type = enumerationFromRawValue<StarType>(value<std::int64_t>(dictionary, "sy", file, starTypeLine));
    if (!type) throw InitializableError::invalidInput(file, unknownStarTypeLine).at(dictionary, "sy", "unknown code");
    fields.starType = *type;
    return fields;
}

Star::Fields Star::decodeFields(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    Fields fields;
    fields.direction = decodeEnumerationIfPresent<PathDirection>(container, "d").value_or(PathDirection::clockwise);
    fields.position = decodeGroup<LottieVector3D>(container, "p");
    fields.outerRadius = decodeGroup<LottieVector1D>(container, "or");
    fields.outerRoundness = decodeGroup<LottieVector1D>(container, "os");
    fields.innerRadius = decodeGroupIfPresent<LottieVector1D>(container, "ir");
    fields.innerRoundness = decodeGroupIfPresent<LottieVector1D>(container, "is");
    fields.rotation = decodeGroup<LottieVector1D>(container, "r");
    fields.points = decodeGroup<LottieVector1D>(container, "pt");
    fields.starType = decodeEnumeration<StarType>(container, "sy");
    return fields;
}

void Star::encode(platform::json::Encoder& encoder) const {
    ShapeItem::encode(encoder);
    auto container = encoder.container();
    container.encode("d", rawValue(fields_.direction));
    container.encode("p", fields_.position);
    container.encode("or", fields_.outerRadius);
    container.encode("os", fields_.outerRoundness);
    // Absent inner values are written as null rather than left out.
    container.encode("ir", fields_.innerRadius);
    container.encode("is", fields_.innerRoundness);
    container.encode("r", fields_.rotation);
    container.encode("pt", fields_.points);
    container.encode("sy", rawValue(fields_.starType));
}

bool Star::equals(const ShapeItem& other) const {
    const auto& that = static_cast<const Star&>(other);
    const Fields& a = fields_;
    const Fields& b = that.fields_;
    return ShapeItem::equals(other) && a.direction == b.direction && sameGroup(a.position, b.position) &&
           sameGroup(a.outerRadius, b.outerRadius) && sameGroup(a.outerRoundness, b.outerRoundness) &&
           sameGroup(a.innerRadius, b.innerRadius) && sameGroup(a.innerRoundness, b.innerRoundness) &&
           sameGroup(a.rotation, b.rotation) && sameGroup(a.points, b.points) && a.starType == b.starType;
}

Star::Keyframe Interpolation<Star::Keyframe>::interpolate(const Star::Keyframe& from, const Star::Keyframe& to,
                                                          double amount) {
    return {lerpVector(from.position, to.position, amount),
            lerpVector(from.outerRadius, to.outerRadius, amount),
            lerpVector(from.innerRadius, to.innerRadius, amount),
            lerpVector(from.outerRoundness, to.outerRoundness, amount),
            lerpVector(from.innerRoundness, to.innerRoundness, amount),
            lerpVector(from.points, to.points, amount),
            lerpVector(from.rotation, to.rotation, amount)};
}

}  // namespace lottie
