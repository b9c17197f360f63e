#include "Lottie/Model/Styles/DropShadowStyle.h"

namespace lottie {

namespace {

template <class T>
KeyframeGroupPtr<T> requiredGroup(const Dictionary& dictionary, std::string_view key, unsigned line) {
    return std::make_shared<const KeyframeGroup<T>>(*value<DictionaryRef>(dictionary, key, "Lottie/DropShadowStyle", line));
}

}  // namespace

DropShadowStyle::DropShadowStyle(const Dictionary& dictionary) {
    opacity_ = requiredGroup<LottieVector1D>(dictionary, "o", 21);
    color_ = requiredGroup<LottieColor>(dictionary, "c", 23);
    angle_ = requiredGroup<LottieVector1D>(dictionary, "a", 25);
    size_ = requiredGroup<LottieVector1D>(dictionary, "s", 27);
    distance_ = requiredGroup<LottieVector1D>(dictionary, "d", 29);
    readBase(dictionary);
}

DropShadowStyle::DropShadowStyle(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    opacity_ = container.decode<KeyframeGroupPtr<LottieVector1D>>("o");
    color_ = container.decode<KeyframeGroupPtr<LottieColor>>("c");
    angle_ = container.decode<KeyframeGroupPtr<LottieVector1D>>("a");
    size_ = container.decode<KeyframeGroupPtr<LottieVector1D>>("s");
    distance_ = container.decode<KeyframeGroupPtr<LottieVector1D>>("d");
    readBase(decoder);
}

void DropShadowStyle::encode(platform::json::Encoder& encoder) const {
    LayerStyle::encode(encoder);
    auto container = encoder.container();
    container.encode("o", opacity_);
    container.encode("c", color_);
    container.encode("a", angle_);
    container.encode("s", size_);
    container.encode("d", distance_);
}

KeyframeGroupPtr<LottieVector1D> DropShadowStyle::radius() const {
    return size_->map([](const LottieVector1D& v) { return LottieVector1D(v.value * 0.5); });
}

}  // namespace lottie
