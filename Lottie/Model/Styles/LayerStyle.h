#pragma once
// One layer style: a name and a type code. Only the drop shadow
// (DropShadowStyle) carries parameters and is rendered; other styles are kept
// so that documents round-trip. Owned by its LayerModel.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Lottie/Model/DictionaryInitializable.h"
#include "Lottie/Model/Styles/LayerStyleType.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

class LayerStyle {
public:
    explicit LayerStyle(const Dictionary& dictionary) { readBase(dictionary); }
    explicit LayerStyle(const platform::json::Decoder& decoder) { readBase(decoder); }
    virtual ~LayerStyle() = default;

    virtual void encode(platform::json::Encoder& encoder) const;

    // The dictionary decoder's factory for a layer's "sy" array: code 1 makes
    // a drop shadow, anything else a plain style. The first error fails.
    static std::vector<std::shared_ptr<const LayerStyle>> layerStylesFromDictionaries(
        const DictionaryArray& dictionaries);
    // The keyed-container family: nothing when `key` is missing or not an array.
    static std::optional<std::vector<std::shared_ptr<const LayerStyle>>> decodeLayerStyleFamily(
        const platform::json::KeyedDecodingContainer& container, std::string_view key);

    // "Layer" when the dictionary decoder finds none, "Style" for the other decoder.
    std::string name;
    LayerStyleType type = LayerStyleType::unknown;

protected:
    // Subclasses read their own keys first, then these.
    LayerStyle() = default;
    void readBase(const Dictionary& dictionary);
    void readBase(const platform::json::Decoder& decoder);
};

}  // namespace lottie
