#include "Lottie/Model/Effects/ColorEffectValue.h"

namespace lottie {

ColorEffectValue::ColorEffectValue(const Dictionary& dictionary)
    : value(std::make_shared<const KeyframeGroup<LottieColor>>(
          *lottie::value<DictionaryRef>(dictionary, "v", "Lottie/ColorEffectValue", 17))) {
    readBase(dictionary);
}

ColorEffectValue::ColorEffectValue(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    try {
        value = container.decode<KeyframeGroupPtr<LottieColor>>("v");
    } catch (const platform::json::DecodingError&) {
        // A value that can't be read is no value; the effect still decodes.
    }
    readBase(decoder);
}

void ColorEffectValue::encode(platform::json::Encoder& encoder) const {
    EffectValue::encode(encoder);
    auto container = encoder.container();
    container.encode("v", value);
}

}  // namespace lottie
