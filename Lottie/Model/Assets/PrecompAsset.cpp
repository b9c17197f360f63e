#include "Lottie/Model/Assets/PrecompAsset.h"

namespace lottie {

PrecompAsset::PrecompAsset(const Dictionary& dictionary)
    : layers(LayerModel::layersFromDictionaries(value<DictionaryArray>(dictionary, "layers", "Lottie/PrecompAsset", 21))) {
    readIdentifier(dictionary);
}

PrecompAsset::PrecompAsset(const platform::json::Decoder& decoder)
    : layers(LayerModel::decodeLayerFamily(decoder.container(), "layers")) {
    readIdentifier(decoder);
}

void PrecompAsset::encode(platform::json::Encoder& encoder) const {
    Asset::encode(encoder);
    auto container = encoder.container();
    container.encode("layers", layers);
}

}  // namespace lottie
