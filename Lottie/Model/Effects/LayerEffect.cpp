#include "Lottie/Model/Effects/LayerEffect.h"

#include "Lottie/Model/Effects/DropShadowEffect.h"

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
    // Looked at before opening, so that the common case of a missing list
    // costs no exception.
    if (!container.contains(key)) return std::nullopt;
    platform::json::Decoder list = container.superDecoder(key);
    if (!list.value().isArray()) return std::nullopt;
    auto peek = list.unkeyedContainer();
    auto read = peek;
    std::vector<std::shared_ptr<const LayerEffect>> effects;
    while (!peek.isAtEnd()) {
        auto element = peek.nestedContainer();
        std::optional<std::int64_t> code;
        try {
            code = element.decodeIfPresent<std::int64_t>(discriminatorKey);
        } catch (const platform::json::DecodingError&) {
            // The base class's own decoding reports an unreadable type.
        }
        platform::json::Decoder decoder = read.superDecoder();
        if (code == 25) {
            effects.push_back(std::make_shared<const DropShadowEffect>(decoder));
        } else {
            effects.push_back(std::make_shared<const LayerEffect>(decoder));
        }
    }
    return effects;
}

}  // namespace lottie
