#pragma once
// One effect of a layer: a type code and a list of named values. Only the
// drop shadow (DropShadowEffect) is rendered; other effects are decoded and
// kept so that documents round-trip. Owned by its LayerModel.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Lottie/Model/Effects/EffectValue.h"
#include "Lottie/Model/Effects/LayerEffectType.h"

namespace lottie {

class LayerEffect {
public:
    explicit LayerEffect(const Dictionary& dictionary);
    explicit LayerEffect(const platform::json::Decoder& decoder);
    virtual ~LayerEffect() = default;

    virtual void encode(platform::json::Encoder& encoder) const;

    // The dictionary decoder's factory for a layer's "ef" array: code 25
    // makes a drop shadow, anything else a plain effect. The first error fails.
    static std::vector<std::shared_ptr<const LayerEffect>> layerEffectsFromDictionaries(
        const DictionaryArray& dictionaries);
    // The keyed-container family: nothing when `key` is missing or not an array.
    static std::optional<std::vector<std::shared_ptr<const LayerEffect>>> decodeLayerEffectFamily(
        const platform::json::KeyedDecodingContainer& container, std::string_view key);

    // "Layer" when the dictionary decoder finds none, "Effect" for the other decoder.
    std::string name;
    LayerEffectType type = LayerEffectType::unknown;
    std::vector<std::shared_ptr<const EffectValue>> effects;
};

}  // namespace lottie
