#include "Lottie/Model/Effects/LayerEffect.h"

#include "Lottie/Model/Effects/DropShadowEffect.h"
#include "Lottie/Model/FamilyDecoding.h"

namespace lottie {

LayerEffect::LayerEffect(const Dictionary& dictionary) {
    name = inlineValue<std::string>(dictionary, "nm").value_or("Layer");
    type = layerEffectTypeFromCode(value<std::int64_t>(dictionary, discriminatorKey, "Lottie/LayerEffect", 48));
    if (auto values = inlineValue<DictionaryArray>(dictionary, "ef")) {
        effects = EffectValue::effectValuesFromDictionaries(*values);
    }
}

LayerEffect::LayerEffect(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    name = container.decodeIfPresent<std::string>("nm").value_or("Effect");
    type = layerEffectTypeFromCode(container.decode<std::int64_t>(discriminatorKey));
    if (auto values = EffectValue::decodeEffectValueFamily(container, "ef")) effects = std::move(*values);
}

void LayerEffect::encode(platform::json::Encoder& encoder) const {
    auto container = encoder.container();
    container.encode("nm", name);
    container.encode(discriminatorKey, static_cast<int>(type));
    container.encode("ef", effects);
}

std::vector<std::shared_ptr<const LayerEffect>> LayerEffect::layerEffectsFromDictionaries(
    const DictionaryArray& dictionaries) {
    std::vector<std::shared_ptr<const LayerEffect>> effects;
    effects.reserve(dictionaries.size());
    for (const Dictionary* dictionary : dictionaries) {
        if (inlineValue<std::int64_t>(*dictionary, discriminatorKey) == 25) {
            effects.push_back(std::make_shared<const DropShadowEffect>(*dictionary));
        } else {
            effects.push_back(std::make_shared<const LayerEffect>(*dictionary));
        }
    }
    return effects;
}

std::optional<std::vector<std::shared_ptr<const LayerEffect>>> LayerEffect::decodeLayerEffectFamily(
    const platform::json::KeyedDecodingContainer& container, std::string_view key) {
    return decodeOptionalFamily<std::int64_t>(
        container, key,
        [](const platform::json::Decoder& decoder, std::optional<std::int64_t> code) -> std::shared_ptr<const LayerEffect> {
            if (code == 25) return std::make_shared<const DropShadowEffect>(decoder);
            return std::make_shared<const LayerEffect>(decoder);
        });
}

}  // namespace lottie
