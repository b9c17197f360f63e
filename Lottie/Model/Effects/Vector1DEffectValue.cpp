#include "Lottie/Model/Effects/Vector1DEffectValue.h"

namespace lottie {

Vector1DEffectValue::Vector1DEffectValue(const Dictionary& dictionary)
    : value(std::make_shared<const KeyframeGroup<LottieVector1D>>(
          *lottie::value<DictionaryRef>(dictionary, "v", "Lottie/Vector1DEffectValue", 17))) {
    readBase(dictionary);
}

Vector1DEffectValue::Vector1DEffectValue(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    try {
        value = container.decode<KeyframeGroupPtr<LottieVector1D>>("v");
    } catch (const platform::json::DecodingError&) {
        // A value that can't be read is no value; the effect still decodes.
    }
    readBase(decoder);
}

void Vector1DEffectValue::encode(platform::json::Encoder& encoder) const {
    EffectValue::encode(encoder);
    auto container = encoder.container();
    container.encode("v", value);
}

}  // namespace lottie
