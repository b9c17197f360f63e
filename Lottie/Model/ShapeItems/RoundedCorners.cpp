#include "Lottie/Model/ShapeItems/RoundedCorners.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/RoundedCorners";
constexpr unsigned radiusLine = 25;

}  // namespace

RoundedCorners::RoundedCorners(const Dictionary& dictionary) : RoundedCorners(readRadius(dictionary), dictionary) {}

RoundedCorners::RoundedCorners(const platform::json::Decoder& decoder)
    : RoundedCorners(decodeRadius(decoder), decoder) {}

KeyframeGroupPtr<LottieVector1D> RoundedCorners::readRadius(const Dictionary& dictionary) {
    return requiredGroup<LottieVector1D>(dictionary, "r", file, radiusLine);
}

KeyframeGroupPtr<LottieVector1D> RoundedCorners::decodeRadius(const platform::json::Decoder& decoder) {
    return decodeGroup<LottieVector1D>(decoder.container(), "r");
}

void RoundedCorners::encode(platform::json::Encoder& encoder) const {
    ShapeItem::encode(encoder);
    auto container = encoder.container();
    container.encode("r", radius_);
}

bool RoundedCorners::equals(const ShapeItem& other) const {
    return ShapeItem::equals(other) && sameGroup(radius_, static_cast<const RoundedCorners&>(other).radius_);
}

}  // namespace lottie
