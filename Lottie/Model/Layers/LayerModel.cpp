#include "Lottie/Model/Layers/LayerModel.h"

#include <random>

#include "Lottie/Model/Layers/ImageLayerModel.h"
#include "Lottie/Model/Layers/PreCompLayerModel.h"
#include "Lottie/Model/Layers/ShapeLayerModel.h"
#include "Lottie/Model/Layers/SolidLayerModel.h"
#include "Lottie/Model/Text/TextLayerModel.h"
#include "Lottie/Model/FamilyDecoding.h"

namespace lottie {

namespace {

constexpr std::string_view file = "Lottie/LayerModel";

// Layers without "ind" get an identifier no other layer is likely to share.
std::int64_t randomIndex() {
    thread_local std::mt19937_64 generator{std::random_device{}()};
    return static_cast<std::int64_t>(generator());
}

template <class Enumeration>
Enumeration decodeCode(const platform::json::KeyedDecodingContainer& container, std::string_view key,
                       std::optional<Enumeration> (*fromCode)(std::int64_t)) {
    std::int64_t code = container.decode<std::int64_t>(key);
    if (auto value = fromCode(code)) return *value;
    throw platform::json::DecodingError::dataCorrupted(
        platform::json::appending(container.codingPath(), platform::json::CodingKey::named(std::string(key))),
        "Cannot initialize from invalid value " + std::to_string(code));
}

}  // namespace

LayerModel::LayerModel(const Dictionary& dictionary) {
    try {
        name = optionalValue<std::string>(dictionary, "nm", file, 108).value_or("Layer");
    } catch (const InitializableError&) {
    }
    index = optionalValue<std::int64_t>(dictionary, "ind", file, 109).value_or(randomIndex());
    type = layerTypeFromCode(value<std::int64_t>(dictionary, "ty", file, 110)).value_or(LayerType::null);
    if (inlineValue<std::int64_t>(dictionary, "ddd") == 1) coordinateSpace = CoordinateSpace::type3d;
    inFrame = value<double>(dictionary, "ip", file, 119);
    outFrame = value<double>(dictionary, "op", file, 120);
    startTime = value<double>(dictionary, "st", file, 121);
    try {
        parent = optionalValue<std::int64_t>(dictionary, "parent", file, 122);
    } catch (const InitializableError&) {
    }
    // A transform that fails to decode gives way to the default one: a layer
    // keeps rendering rather than failing the whole document.
    if (auto transformDictionary = optionalValue<DictionaryRef>(dictionary, "ks", file, 124)) {
        try {
            transform = std::make_shared<const Transform>(**transformDictionary);
        } catch (const InitializableError&) {
        }
    }
    if (!transform) transform = std::make_shared<const Transform>();
    if (auto code = inlineValue<std::int64_t>(dictionary, "bm")) blendMode = blendModeFromCode(*code).value_or(BlendMode::normal);
    if (auto maskDictionaries = inlineValue<DictionaryArray>(dictionary, "masksProperties")) {
        masks.emplace();
        masks->reserve(maskDictionaries->size());
        for (const Dictionary* mask : *maskDictionaries) masks->push_back(std::make_shared<const Mask>(*mask));
    }
    try {
        timeStretch = optionalValue<double>(dictionary, "sr", file, 144).value_or(1.0);
    } catch (const InitializableError&) {
    }
    if (auto code = inlineValue<std::int64_t>(dictionary, "tt")) matte = matteTypeFromCode(*code);
    try {
        hidden = optionalValue<bool>(dictionary, "hd", file, 150).value_or(false);
    } catch (const InitializableError&) {
    }
    if (auto styleDictionaries = inlineValue<DictionaryArray>(dictionary, "sy")) {
        styles = LayerStyle::layerStylesFromDictionaries(*styleDictionaries);
    }
    if (auto effectDictionaries = inlineValue<DictionaryArray>(dictionary, "ef")) {
        effects = LayerEffect::layerEffectsFromDictionaries(*effectDictionaries);
    }
}

LayerModel::LayerModel(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    name = container.decodeIfPresent<std::string>("nm").value_or("Layer");
    index = container.decodeIfPresent<std::int64_t>("ind").value_or(randomIndex());
    // Unknown integer codes are null layers here, unlike the other enumerations.
    type = layerTypeFromCode(container.decode<std::int64_t>("ty")).value_or(LayerType::null);
    if (container.decodeIfPresent<std::int64_t>("ddd")) {
        coordinateSpace = decodeCode<CoordinateSpace>(container, "ddd", [](std::int64_t code) {
            return code == 0 || code == 1 ? std::optional(static_cast<CoordinateSpace>(code)) : std::nullopt;
        });
    }
    inFrame = container.decode<double>("ip");
    outFrame = container.decode<double>("op");
    startTime = container.decode<double>("st");
    if (auto decoded = container.decodeIfPresent<std::shared_ptr<const Transform>>("ks")) transform = *decoded;
    else transform = std::make_shared<const Transform>();
    parent = container.decodeIfPresent<std::int64_t>("parent");
    if (container.decodeIfPresent<std::int64_t>("bm")) blendMode = decodeCode(container, "bm", blendModeFromCode);
    masks = container.decodeIfPresent<std::vector<std::shared_ptr<const Mask>>>("masksProperties");
    timeStretch = container.decodeIfPresent<double>("sr").value_or(1.0);
    if (container.decodeIfPresent<std::int64_t>("tt")) matte = decodeCode(container, "tt", matteTypeFromCode);
    hidden = container.decodeIfPresent<bool>("hd").value_or(false);
    if (auto decoded = LayerStyle::decodeLayerStyleFamily(container, "sy")) styles = std::move(*decoded);
    if (auto decoded = LayerEffect::decodeLayerEffectFamily(container, "ef")) effects = std::move(*decoded);
}

void LayerModel::encode(platform::json::Encoder& encoder) const {
    auto container = encoder.container();
    container.encode("nm", name);
    container.encode("ind", index);
    container.encode("ty", static_cast<int>(type));
    container.encode("ddd", static_cast<int>(coordinateSpace));
    container.encode("ip", inFrame);
    container.encode("op", outFrame);
    container.encode("st", startTime);
    container.encode("ks", transform);
    container.encodeIfPresent("parent", parent);
    container.encode("bm", static_cast<int>(blendMode));
    container.encodeIfPresent("masksProperties", masks);
    container.encode("sr", timeStretch);
    if (matte) container.encode("tt", static_cast<int>(*matte));
    container.encode("hd", hidden);
    container.encode("sy", styles);
    container.encode("ef", effects);
}

namespace {

// The class a layer type selects, built by either decoder from its source
// (a dictionary or a keyed-container decoder).
template <class Source>
std::shared_ptr<const LayerModel> makeLayer(LayerType type, const Source& source) {
    switch (type) {
        case LayerType::precomp: return std::make_shared<PreCompLayerModel>(source);
        case LayerType::solid: return std::make_shared<SolidLayerModel>(source);
        case LayerType::image: return std::make_shared<ImageLayerModel>(source);
        case LayerType::shape: return std::make_shared<ShapeLayerModel>(source);
        case LayerType::text: return std::make_shared<TextLayerModel>(source);
        default: return std::make_shared<LayerModel>(source);
    }
}

}  // namespace

std::shared_ptr<const LayerModel> LayerModel::layerFromDictionary(const Dictionary& dictionary) {
    auto code = inlineValue<std::int64_t>(dictionary, discriminatorKey);
    if (!code) return std::make_shared<LayerModel>(dictionary);  // throws for the missing "ty"
    auto type = layerTypeFromCode(*code);
    if (!type) return nullptr;
    return makeLayer(*type, dictionary);
}

std::shared_ptr<const LayerModel> LayerModel::decodeLayer(const platform::json::Decoder& decoder,
                                                          std::optional<std::int64_t> typeCode) {
    return makeLayer(typeCode ? layerTypeFromCode(*typeCode).value_or(LayerType::null) : LayerType::null, decoder);
}

std::vector<std::shared_ptr<const LayerModel>> LayerModel::layersFromDictionaries(const DictionaryArray& dictionaries) {
    std::vector<std::shared_ptr<const LayerModel>> layers;
    layers.reserve(dictionaries.size());
    for (const Dictionary* dictionary : dictionaries) {
        if (auto layer = layerFromDictionary(*dictionary)) layers.push_back(std::move(layer));
    }
    return layers;
}

std::vector<std::shared_ptr<const LayerModel>> LayerModel::decodeLayerFamily(
    const platform::json::KeyedDecodingContainer& container, std::string_view key) {
    return decodeFamilyElements<std::int64_t>(container.nestedUnkeyedContainer(key), decodeLayer);
}

}  // namespace lottie
