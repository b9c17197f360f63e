#include "Lottie/Model/Styles/LayerStyle.h"

#include "Lottie/Model/Styles/DropShadowStyle.h"

namespace lottie {

void LayerStyle::readBase(const Dictionary& dictionary) {
    name = inlineValue<std::string>(dictionary, "nm").value_or("Layer");
    type = layerStyleTypeFromCode(value<std::int64_t>(dictionary, discriminatorKey, "Lottie/LayerStyle", 46));
}

void LayerStyle::readBase(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    name = container.decodeIfPresent<std::string>("nm").value_or("Style");
    type = layerStyleTypeFromCode(container.decode<std::int64_t>(discriminatorKey));
}

void LayerStyle::encode(platform::json::Encoder& encoder) const {
    auto container = encoder.container();
    container.encode("nm", name);
    container.encode(discriminatorKey, static_cast<int>(type));
}

std::vector<std::shared_ptr<const LayerStyle>> LayerStyle::layerStylesFromDictionaries(
    const DictionaryArray& dictionaries) {
    std::vector<std::shared_ptr<const LayerStyle>> styles;
    styles.reserve(dictionaries.size());
    for (const Dictionary* dictionary : dictionaries) {
        if (inlineValue<std::int64_t>(*dictionary, discriminatorKey) == 1) {
            styles.push_back(std::make_shared<const DropShadowStyle>(*dictionary));
        } else {
            styles.push_back(std::make_shared<const LayerStyle>(*dictionary));
        }
    }
    return styles;
}

std::optional<std::vector<std::shared_ptr<const LayerStyle>>> LayerStyle::decodeLayerStyleFamily(
    const platform::json::KeyedDecodingContainer& container, std::string_view key) {
    // Looked at before opening, so that the common case of a missing list
    // costs no exception.
    if (!container.contains(key)) return std::nullopt;
    platform::json::Decoder list = container.superDecoder(key);
    if (!list.value().isArray()) return std::nullopt;
    auto peek = list.unkeyedContainer();
    auto read = peek;
    std::vector<std::shared_ptr<const LayerStyle>> styles;
    while (!peek.isAtEnd()) {
        auto element = peek.nestedContainer();
        std::optional<std::int64_t> code;
        try {
            code = element.decodeIfPresent<std::int64_t>(discriminatorKey);
        } catch (const platform::json::DecodingError&) {
            // The base class's own decoding reports an unreadable type.
        }
        platform::json::Decoder decoder = read.superDecoder();
        if (code == 1) {
            styles.push_back(std::make_shared<const DropShadowStyle>(decoder));
        } else {
            styles.push_back(std::make_shared<const LayerStyle>(decoder));
        }
    }
    return styles;
}

}  // namespace lottie
