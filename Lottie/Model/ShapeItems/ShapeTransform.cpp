#include "Lottie/Model/ShapeItems/ShapeTransform.h"

namespace lottie {

namespace {

const LottieVector3D origin{0, 0, 0};
const LottieVector3D fullScale{100, 100, 100};

}  // namespace

ShapeTransform::ShapeTransform(const Dictionary& dictionary) : ShapeTransform(readFields(dictionary), dictionary) {}

ShapeTransform::ShapeTransform(const platform::json::Decoder& decoder)
    : ShapeTransform(decodeFields(decoder), decoder) {}

// This decoder never fails on its own keys: a group that doesn't decode is
// replaced by its default.
ShapeTransform::Fields ShapeTransform::readFields(const Dictionary& dictionary) {
    Fields fields;
    fields.anchor = groupOrDefault(dictionary, "a", origin);
    fields.position = groupOrDefault(dictionary, "p", origin);
    fields.scale = groupOrDefault(dictionary, "s", fullScale);
    fields.rotationX = groupOrDefault(dictionary, "rx", LottieVector1D(0));
    fields.rotationY = groupOrDefault(dictionary, "ry", LottieVector1D(0));
    fields.rotationZ = optionalGroupOrNone<LottieVector1D>(dictionary, "r");
    if (!fields.rotationZ) fields.rotationZ = groupOrDefault(dictionary, "rz", LottieVector1D(0));
    fields.opacity = groupOrDefault(dictionary, "o", LottieVector1D(100));
    fields.skew = groupOrDefault(dictionary, "sk", LottieVector1D(0));
    fields.skewAxis = groupOrDefault(dictionary, "sa", LottieVector1D(0));
    return fields;
}

ShapeTransform::Fields ShapeTransform::decodeFields(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    Fields fields;
    fields.anchor = decodeGroupOrDefault(container, "a", origin);
    fields.position = decodeGroupOrDefault(container, "p", origin);
    fields.scale = decodeGroupOrDefault(container, "s", fullScale);
    fields.rotationX = decodeGroupOrDefault(container, "rx", LottieVector1D(0));
    fields.rotationY = decodeGroupOrDefault(container, "ry", LottieVector1D(0));
    fields.rotationZ = decodeGroupIfPresent<LottieVector1D>(container, "r");
    if (!fields.rotationZ) fields.rotationZ = decodeGroupOrDefault(container, "rz", LottieVector1D(0));
    fields.opacity = decodeGroupOrDefault(container, "o", LottieVector1D(100));
    fields.skew = decodeGroupOrDefault(container, "sk", LottieVector1D(0));
    fields.skewAxis = decodeGroupOrDefault(container, "sa", LottieVector1D(0));
    return fields;
}

void ShapeTransform::encode(platform::json::Encoder& encoder) const {
    ShapeItem::encode(encoder);
    auto container = encoder.container();
    container.encode("a", fields_.anchor);
    container.encode("p", fields_.position);
    container.encode("s", fields_.scale);
    container.encode("rx", fields_.rotationX);
    container.encode("ry", fields_.rotationY);
    // Always under "rz", whichever key it was read from.
    container.encode("rz", fields_.rotationZ);
    container.encode("o", fields_.opacity);
    container.encode("sk", fields_.skew);
    container.encode("sa", fields_.skewAxis);
}

bool ShapeTransform::equals(const ShapeItem& other) const {
    const Fields& a = fields_;
    const Fields& b = static_cast<const ShapeTransform&>(other).fields_;
    return ShapeItem::equals(other) && sameGroup(a.anchor, b.anchor) && sameGroup(a.position, b.position) &&
           sameGroup(a.scale, b.scale) && sameGroup(a.rotationX, b.rotationX) &&
           sameGroup(a.rotationY, b.rotationY) && sameGroup(a.rotationZ, b.rotationZ) &&
           sameGroup(a.opacity, b.opacity) && sameGroup(a.skew, b.skew) && sameGroup(a.skewAxis, b.skewAxis);
}

}  // namespace lottie
