#pragma once
// An effect value holding a number (slider or angle) as an animated property. Owned by its
// LayerEffect. The dictionary decoder always gives it a value; the
// keyed-container decoder leaves the value absent when it can't read it.

#include "Lottie/Model/Effects/EffectValue.h"
#include "Lottie/Model/KeyframeGroupReading.h"
#include "Lottie/Values/LottieVector1D.h"

namespace lottie {

class Vector1DEffectValue : public EffectValue {
public:
    explicit Vector1DEffectValue(const Dictionary& dictionary);
    explicit Vector1DEffectValue(const platform::json::Decoder& decoder);

    // Writes "v" as null when the value is absent.
    void encode(platform::json::Encoder& encoder) const override;

    KeyframeGroupPtr<LottieVector1D> value;
};

}  // namespace lottie
