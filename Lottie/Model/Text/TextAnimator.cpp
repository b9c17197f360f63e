#include "Lottie/Model/Text/TextAnimator.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/TextAnimator";

// The group under `key` when it is a dictionary that decodes; nothing otherwise.
template <class T>
KeyframeGroupPtr<T> tolerantGroup(const Dictionary& dictionary, std::string_view key) {
    try {
        return optionalGroup<T>(dictionary, key);
    } catch (const InitializableError&) {
        return nullptr;
    }
}

template <class T>
KeyframeGroupPtr<T> decodeGroup(const platform::json::KeyedDecodingContainer& container, std::string_view key) {
    return container.decodeIfPresent<KeyframeGroupPtr<T>>(key).value_or(nullptr);
}

// A selector field the keyed-container decoder reads without ever failing.
template <class T>
std::optional<T> decodeQuietly(const platform::json::KeyedDecodingContainer& container, std::string_view key) {
    try {
        return container.decodeIfPresent<T>(key);
    } catch (const platform::json::DecodingError&) {
        return std::nullopt;
    }
}

}  // namespace

TextAnimator::TextAnimator(const Dictionary& dictionary) {
    name = inlineValue<std::string>(dictionary, "nm").value_or("");
    DictionaryRef properties = value<DictionaryRef>(dictionary, "a", file, 55);
    fillColor = tolerantGroup<LottieColor>(*properties, "fc");
    strokeColor = tolerantGroup<LottieColor>(*properties, "sc");
    strokeWidth = tolerantGroup<LottieVector1D>(*properties, "sw");
    tracking = tolerantGroup<LottieVector1D>(*properties, "t");
    anchor = tolerantGroup<LottieVector3D>(*properties, "a");
    position = tolerantGroup<LottieVector3D>(*properties, "p");
    scale = tolerantGroup<LottieVector3D>(*properties, "s");
    skew = tolerantGroup<LottieVector1D>(*properties, "sk");
    skewAxis = tolerantGroup<LottieVector1D>(*properties, "sa");
    rotationX = tolerantGroup<LottieVector1D>(*properties, "rx");
    rotationY = tolerantGroup<LottieVector1D>(*properties, "ry");
    // "r" wins whenever it is a dictionary, even one that doesn't decode.
    bool hasRotation = inlineValue<DictionaryRef>(*properties, "r").has_value();
    rotationZ = tolerantGroup<LottieVector1D>(*properties, hasRotation ? "r" : "rz");
    opacity = optionalGroup<LottieVector1D>(*properties, "o");

    DictionaryRef selector = value<DictionaryRef>(dictionary, "s", file, 127);
    start = optionalGroup<LottieVector1D>(*selector, "s");
    end = optionalGroup<LottieVector1D>(*selector, "e");
    if (auto code = inlineValue<std::int64_t>(*selector, "r")) textRangeUnit = textRangeUnitFromCode(*code);
}

TextAnimator::TextAnimator(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    name = container.decodeIfPresent<std::string>("nm").value_or("");
    auto properties = container.nestedContainer("a");
    fillColor = decodeGroup<LottieColor>(properties, "fc");
    strokeColor = decodeGroup<LottieColor>(properties, "sc");
    strokeWidth = decodeGroup<LottieVector1D>(properties, "sw");
    tracking = decodeGroup<LottieVector1D>(properties, "t");
    anchor = decodeGroup<LottieVector3D>(properties, "a");
    position = decodeGroup<LottieVector3D>(properties, "p");
    scale = decodeGroup<LottieVector3D>(properties, "s");
    skew = decodeGroup<LottieVector1D>(properties, "sk");
    skewAxis = decodeGroup<LottieVector1D>(properties, "sa");
    rotationX = decodeGroup<LottieVector1D>(properties, "rx");
    rotationY = decodeGroup<LottieVector1D>(properties, "ry");
    rotationZ = decodeGroup<LottieVector1D>(properties, "r");
    if (!rotationZ) rotationZ = decodeGroup<LottieVector1D>(properties, "rz");
    opacity = decodeGroup<LottieVector1D>(properties, "o");

    // No usable selector: the animator applies to the whole text.
    if (!container.superDecoder("s").value().isObject()) return;
    auto selector = container.nestedContainer("s");
    start = decodeQuietly<KeyframeGroupPtr<LottieVector1D>>(selector, "s").value_or(nullptr);
    end = decodeQuietly<KeyframeGroupPtr<LottieVector1D>>(selector, "e").value_or(nullptr);
    if (auto code = decodeQuietly<std::int64_t>(selector, "r")) textRangeUnit = textRangeUnitFromCode(*code);
}

void TextAnimator::encode(platform::json::Encoder& encoder) const {
    auto container = encoder.container();
    container.encode("nm", name);
    auto properties = container.nestedContainer("a");
    properties.encodeIfPresent("fc", fillColor);
    properties.encodeIfPresent("sc", strokeColor);
    properties.encodeIfPresent("sw", strokeWidth);
    properties.encodeIfPresent("t", tracking);
    properties.encodeIfPresent("a", anchor);
    properties.encodeIfPresent("p", position);
    properties.encodeIfPresent("s", scale);
    properties.encodeIfPresent("sk", skew);
    properties.encodeIfPresent("sa", skewAxis);
    properties.encodeIfPresent("rx", rotationX);
    properties.encodeIfPresent("ry", rotationY);
    properties.encodeIfPresent("rz", rotationZ);
    properties.encodeIfPresent("o", opacity);
    // Always written, even empty: the dictionary decoder requires a selector.
    auto selector = container.nestedContainer("s");
    selector.encodeIfPresent("s", start);
    selector.encodeIfPresent("e", end);
    if (textRangeUnit) selector.encode("r", static_cast<int>(*textRangeUnit));
}

}  // namespace lottie
