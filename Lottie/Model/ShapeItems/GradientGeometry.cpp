#include "Lottie/Model/ShapeItems/GradientGeometry.h"

#include "Lottie/Model/ShapeItems/ShapeItemDecoding.h"

namespace lottie {

GradientGeometry GradientGeometry::fromItem(const Dictionary& item, std::string_view file, ErrorLines lines) {
    GradientGeometry result;
    result.opacity = requiredGroup<LottieVector1D>(item, "o", file, lines.opacity);
    result.startPoint = requiredGroup<LottieVector3D>(item, "s", file, lines.startPoint);
    result.endPoint = requiredGroup<LottieVector3D>(item, "e", file, lines.endPoint);
    // Any integer that names no gradient type fails, negative ones included.
    auto type = enumerationFromRawValue<GradientType>(value<std::int64_t>(item, "t", file, lines.type));
    if (!type) throw InitializableError::invalidInput(file, lines.unknownType).at(item, "t", "unknown code");
    result.gradientType = *type;
    result.highlightLength = optionalGroupOrNone<LottieVector1D>(item, "h");
    result.highlightAngle = optionalGroupOrNone<LottieVector1D>(item, "a");
    return result;
}

GradientGeometry GradientGeometry::decodeFromItem(const platform::json::KeyedDecodingContainer& item) {
    GradientGeometry result;
    result.opacity = decodeGroup<LottieVector1D>(item, "o");
    result.startPoint = decodeGroup<LottieVector3D>(item, "s");
    result.endPoint = decodeGroup<LottieVector3D>(item, "e");
    result.gradientType = decodeEnumeration<GradientType>(item, "t");
    result.highlightLength = decodeGroupIfPresent<LottieVector1D>(item, "h");
    result.highlightAngle = decodeGroupIfPresent<LottieVector1D>(item, "a");
    return result;
}

void GradientGeometry::encodeIntoItem(platform::json::KeyedEncodingContainer& item) const {
    item.encode("o", opacity);
    item.encode("s", startPoint);
    item.encode("e", endPoint);
    item.encode("t", rawValue(gradientType));
    item.encodeIfPresent("h", highlightLength);
    item.encodeIfPresent("a", highlightAngle);
}

bool GradientGeometry::operator==(const GradientGeometry& other) const {
    return sameGroup(opacity, other.opacity) && sameGroup(startPoint, other.startPoint) &&
           sameGroup(endPoint, other.endPoint) && gradientType == other.gradientType &&
           sameGroup(highlightLength, other.highlightLength) && sameGroup(highlightAngle, other.highlightAngle);
}

}  // namespace lottie
