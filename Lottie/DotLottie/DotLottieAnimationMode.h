#pragma once
// How a package asks one of its animations to be played: straight through
// ("normal") or back and forth ("bounce"). Read from the manifest by its exact,
// lower-case text and written back the same way. A plain value.

#include <optional>
#include <string_view>

#include "Platform/Json/Decoder.h"
#include "Platform/Json/Encoder.h"

namespace lottie {

enum class DotLottieAnimationMode { normal, bounce };

// "normal" or "bounce".
std::string_view rawValue(DotLottieAnimationMode mode);
// Nothing for any other text (case matters: "Bounce" is not a mode).
std::optional<DotLottieAnimationMode> dotLottieAnimationMode(std::string_view rawValue);

// A text that is not one of the two raw values fails with dataCorrupted.
DotLottieAnimationMode decodeDotLottieAnimationMode(const platform::json::Decoder& decoder);
void encodeDotLottieAnimationMode(const platform::json::Encoder& encoder, DotLottieAnimationMode mode);

}  // namespace lottie
