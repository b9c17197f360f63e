#pragma once
// An effect value holding a colour as an animated property. Owned by its
// LayerEffect. The dictionary decoder always gives it a value; the
// keyed-container decoder leaves the value absent when it can't read it.

#include "Lottie/Model/Effects/EffectValue.h"
#include "Lottie/Model/KeyframeGroupReading.h"
#include "Lottie/Values/LottieColor.h"

namespace lottie {

class ColorEffectValue : public EffectValue {
public:
    explicit ColorEffectValue(const Dictionary& dictionary);
    explicit ColorEffectValue(const platform::json::Decoder& decoder);

    // Writes "v" as null when the value is absent.
    void encode(platform::json::Encoder& encoder) const override;

    KeyframeGroupPtr<LottieColor> value;
};

}  // namespace lottie
