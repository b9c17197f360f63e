#pragma once
// One animator of a text layer: animated changes to how characters are drawn
// (transform, opacity, colours, stroke width, tracking), limited to part of
// the text by an optional range selector. Every property is optional; an
// absent one is left alone. Owned by its TextLayerModel.

#include <optional>
#include <string>

#include "Lottie/Model/KeyframeGroupReading.h"
#include "Lottie/Model/Text/TextRangeUnit.h"
#include "Lottie/Values/LottieColor.h"
#include "Lottie/Values/LottieVector1D.h"
#include "Lottie/Values/LottieVector3D.h"

namespace lottie {

class TextAnimator {
public:
    // Needs the properties object "a" and the selector "s"; a malformed
    // opacity, start or end fails, any other malformed property is left out.
    explicit TextAnimator(const Dictionary& dictionary);
    // Needs "a", where every present property must decode; the selector is
    // optional and its unreadable fields are left out.
    explicit TextAnimator(const platform::json::Decoder& decoder);

    // Writes everything the decoders read, so that both read it back.
    void encode(platform::json::Encoder& encoder) const;

    std::string name;
    KeyframeGroupPtr<LottieVector3D> anchor;
    KeyframeGroupPtr<LottieVector3D> position;
    KeyframeGroupPtr<LottieVector3D> scale;
    KeyframeGroupPtr<LottieVector1D> skew;
    KeyframeGroupPtr<LottieVector1D> skewAxis;
    KeyframeGroupPtr<LottieVector1D> rotationX;
    KeyframeGroupPtr<LottieVector1D> rotationY;
    KeyframeGroupPtr<LottieVector1D> rotationZ;
    KeyframeGroupPtr<LottieVector1D> opacity;
    KeyframeGroupPtr<LottieColor> strokeColor;
    KeyframeGroupPtr<LottieColor> fillColor;
    KeyframeGroupPtr<LottieVector1D> strokeWidth;
    KeyframeGroupPtr<LottieVector1D> tracking;
    // The range selector.
    KeyframeGroupPtr<LottieVector1D> start;
    KeyframeGroupPtr<LottieVector1D> end;
    std::optional<TextRangeUnit> textRangeUnit;
};

}  // namespace lottie
