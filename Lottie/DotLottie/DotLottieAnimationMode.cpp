#include "Lottie/DotLottie/DotLottieAnimationMode.h"

#include <string>

#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

std::string_view rawValue(DotLottieAnimationMode mode) {
    return mode == DotLottieAnimationMode::bounce ? "bounce" : "normal";
}

std::optional<DotLottieAnimationMode> dotLottieAnimationMode(std::string_view rawValue) {
    if (rawValue == "normal") return DotLottieAnimationMode::normal;
    if (rawValue == "bounce") return DotLottieAnimationMode::bounce;
    return std::nullopt;
}

DotLottieAnimationMode decodeDotLottieAnimationMode(const platform::json::Decoder& decoder) {
    const std::string text = decoder.decode<std::string>();
    if (auto mode = dotLottieAnimationMode(text)) return *mode;
    throw platform::json::DecodingError::dataCorrupted(
        decoder.codingPath(), "Cannot initialize DotLottieAnimationMode from invalid String value " + text);
}

void encodeDotLottieAnimationMode(const platform::json::Encoder& encoder, DotLottieAnimationMode mode) {
    encoder.encode(std::string(rawValue(mode)));
}

}  // namespace lottie
