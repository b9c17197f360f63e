#include "Lottie/Model/Styles/LayerStyle.h"

#include "Lottie/Model/Styles/DropShadowStyle.h"
#include "Lottie/Model/FamilyDecoding.h"

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
    return decodeOptionalFamily<std::int64_t>(
        container, key,
        [](const platform::json::Decoder& decoder, std::optional<std::int64_t> code) -> std::shared_ptr<const LayerStyle> {
            if (code == 1) return std::make_shared<const DropShadowStyle>(decoder);
            return std::make_shared<const LayerStyle>(decoder);
        });
}

}  // namespace lottie
