#pragma once
// One mask of a layer: an animated closed path with a combination mode, an
// animated opacity (percent) and expansion (points), optionally inverted.
// Immutable once decoded; the engines combine masks.

#include <optional>
#include <string>
#include <string_view>

#include "Lottie/Model/KeyframeGroupReading.h"
#include "Lottie/Values/BezierPath.h"
#include "Lottie/Values/LottieVector1D.h"

namespace lottie {

enum class MaskMode { add, subtract, intersect, lighten, darken, difference, none };

// The one-letter JSON code of a mode, and back (nothing for an unknown text).
std::string_view maskModeCode(MaskMode mode);
std::optional<MaskMode> maskModeFromCode(std::string_view code);

class Mask {
public:
    explicit Mask(const Dictionary& dictionary);
    explicit Mask(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const;

    MaskMode mode = MaskMode::add;
    KeyframeGroupPtr<LottieVector1D> opacity;
    KeyframeGroupPtr<BezierPath> shape;
    bool inverted = false;
    KeyframeGroupPtr<LottieVector1D> expansion;
};

}  // namespace lottie
