#include "Lottie/Model/Layers/Mask.h"

namespace lottie {

namespace {
constexpr std::string_view codes[] = {"a", "s", "i", "l", "d", "f", "n"};
}

std::string_view maskModeCode(MaskMode mode) { return codes[static_cast<int>(mode)]; }

std::optional<MaskMode> maskModeFromCode(std::string_view code) {
    for (int i = 0; i < 7; ++i) {
        if (codes[i] == code) return static_cast<MaskMode>(i);
    }
    return std::nullopt;
}

Mask::Mask(const Dictionary& dictionary) {
    if (auto code = inlineValue<std::string>(dictionary, "mode")) mode = maskModeFromCode(*code).value_or(MaskMode::add);
    opacity = optionalGroup<LottieVector1D>(dictionary, "o");
    if (!opacity) opacity = staticGroup(LottieVector1D(100));
    DictionaryRef path = value<DictionaryRef>(dictionary, "pt", "Lottie/Mask", 51);
    shape = std::make_shared<const KeyframeGroup<BezierPath>>(*path);
    inverted = inlineValue<bool>(dictionary, "inv").value_or(false);
    expansion = optionalGroup<LottieVector1D>(dictionary, "x");
    if (!expansion) expansion = staticGroup(LottieVector1D(0));
}

Mask::Mask(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    if (auto code = container.decodeIfPresent<std::string>("mode")) {
        auto decoded = maskModeFromCode(*code);
        if (!decoded) {
            throw platform::json::DecodingError::dataCorrupted(
                platform::json::appending(container.codingPath(), platform::json::CodingKey::named("mode")),
                "Cannot initialize MaskMode from invalid String value " + *code);
        }
        mode = *decoded;
    }
    opacity = decodeGroupOrDefault(container, "o", LottieVector1D(100));
    shape = container.decode<KeyframeGroupPtr<BezierPath>>("pt");
    inverted = container.decodeIfPresent<bool>("inv").value_or(false);
    expansion = decodeGroupOrDefault(container, "x", LottieVector1D(0));
}

void Mask::encode(platform::json::Encoder& encoder) const {
    auto container = encoder.container();
    container.encode("mode", std::string(maskModeCode(mode)));
    container.encode("o", opacity);
    container.encode("inv", inverted);
    container.encode("pt", shape);
    container.encode("x", expansion);
}

}  // namespace lottie
