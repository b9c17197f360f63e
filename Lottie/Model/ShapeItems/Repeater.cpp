#include "Lottie/Model/ShapeItems/Repeater.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/Repeater";
constexpr unsigned transformLine = 61;

const LottieVector3D origin{0, 0, 0};
const LottieVector3D fullScale{100, 100, 100};

// A dictionary under the key is decoded and its errors propagate; anything
// else gives the default.
template <class T>
KeyframeGroupPtr<T> groupOrFallback(const Dictionary& dictionary, std::string_view key, T fallback) {
    if (auto group = optionalGroup<T>(dictionary, key)) return group;
    return staticGroup(std::move(fallback));
}

}  // namespace

Repeater::Repeater(const Dictionary& dictionary) : Repeater(readFields(dictionary), dictionary) {}

Repeater::Repeater(const platform::json::Decoder& decoder) : Repeater(decodeFields(decoder), decoder) {}

Repeater::Fields Repeater::readFields(const Dictionary& dictionary) {
    Fields fields;
    fields.copies = groupOrFallback(dictionary, "c", LottieVector1D(0));
    fields.offset = groupOrFallback(dictionary, "o", LottieVector1D(0));
    const Dictionary& transform = *value<DictionaryRef>(dictionary, "tr", file, transformLine);
    fields.startOpacity = groupOrFallback(transform, "so", LottieVector1D(100));
    fields.endOpacity = groupOrFallback(transform, "eo", LottieVector1D(100));
    fields.rotationX = groupOrFallback(transform, "rx", LottieVector1D(0));
    fields.rotationY = groupOrFallback(transform, "ry", LottieVector1D(0));
    fields.rotationZ = optionalGroup<LottieVector1D>(transform, "r");
    if (!fields.rotationZ) fields.rotationZ = groupOrFallback(transform, "rz", LottieVector1D(0));
    fields.position = groupOrFallback(transform, "p", origin);
    fields.anchorPoint = groupOrFallback(transform, "a", origin);
    fields.scale = groupOrFallback(transform, "s", fullScale);
    return fields;
}

Repeater::Fields Repeater::decodeFields(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    Fields fields;
    fields.copies = decodeGroupOrDefault(container, "c", LottieVector1D(0));
    fields.offset = decodeGroupOrDefault(container, "o", LottieVector1D(0));
    auto transform = container.nestedContainer("tr");
    fields.startOpacity = decodeGroupOrDefault(transform, "so", LottieVector1D(100));
    fields.endOpacity = decodeGroupOrDefault(transform, "eo", LottieVector1D(100));
    fields.rotationZ = decodeGroupIfPresent<LottieVector1D>(transform, "r");
    if (!fields.rotationZ) fields.rotationZ = decodeGroupOrDefault(transform, "rz", LottieVector1D(0));
    fields.rotationX = decodeGroupOrDefault(transform, "rx", LottieVector1D(0));
    fields.rotationY = decodeGroupOrDefault(transform, "ry", LottieVector1D(0));
    fields.position = decodeGroupOrDefault(transform, "p", origin);
    fields.anchorPoint = decodeGroupOrDefault(transform, "a", origin);
    fields.scale = decodeGroupOrDefault(transform, "s", fullScale);
    return fields;
}

void Repeater::encode(platform::json::Encoder& encoder) const {
    ShapeItem::encode(encoder);
    auto container = encoder.container();
    container.encode("c", fields_.copies);
    container.encode("o", fields_.offset);
    auto transform = container.nestedContainer("tr");
    transform.encode("so", fields_.startOpacity);
    transform.encode("eo", fields_.endOpacity);
    transform.encode("rx", fields_.rotationX);
    transform.encode("ry", fields_.rotationY);
    // Always under "rz", whichever key it was read from.
    transform.encode("rz", fields_.rotationZ);
    transform.encode("p", fields_.position);
    transform.encode("a", fields_.anchorPoint);
    transform.encode("s", fields_.scale);
}

bool Repeater::equals(const ShapeItem& other) const {
    const Fields& a = fields_;
    const Fields& b = static_cast<const Repeater&>(other).fields_;
    return ShapeItem::equals(other) && sameGroup(a.copies, b.copies) && sameGroup(a.offset, b.offset) &&
           sameGroup(a.startOpacity, b.startOpacity) && sameGroup(a.endOpacity, b.endOpacity) &&
           sameGroup(a.rotationX, b.rotationX) && sameGroup(a.rotationY, b.rotationY) &&
           sameGroup(a.rotationZ, b.rotationZ) && sameGroup(a.anchorPoint, b.anchorPoint) &&
           sameGroup(a.position, b.position) && sameGroup(a.scale, b.scale);
}

}  // namespace lottie
