#include "Lottie/Model/Assets/AssetLibrary.h"

namespace lottie {

AssetLibrary::AssetLibrary(const platform::json::Value& json) {
    auto elements = DictionaryValue<DictionaryArray>::convert(json);
    if (!elements) {
        throw InitializableError::invalidInput("Lottie/AssetLibrary", 43).at(json, {}, "expected an array of dictionaries");
    }
    for (const Dictionary* element : *elements) {
        if (element->find("layers")) {
            insert(std::make_shared<const PrecompAsset>(*element));
            continue;
        }
        try {
            insert(std::make_shared<const ImageAsset>(*element));
        } catch (const InitializableError&) {
            // An unusable image leaves the rest of the document intact.
        }
    }
}

AssetLibrary::AssetLibrary(const platform::json::Decoder& decoder) {
    auto elements = decoder.unkeyedContainer();
    while (!elements.isAtEnd()) {
        platform::json::Decoder element = elements.superDecoder();
        bool isPrecomp = false;
        try {
            isPrecomp = element.container().contains("layers");
        } catch (const platform::json::DecodingError&) {
            break;  // Not an object: what was read so far stands.
        }
        if (isPrecomp) {
            try {
                insert(std::make_shared<const PrecompAsset>(element));
                continue;
            } catch (const platform::json::DecodingError&) {
                // Perhaps it is an image asset that happens to have "layers".
            }
        }
        try {
            insert(std::make_shared<const ImageAsset>(element));
        } catch (const platform::json::DecodingError&) {
        }
    }
}

void AssetLibrary::insert(std::shared_ptr<const ImageAsset> asset) {
    documentOrder_.push_back(asset);
    assets[asset->id] = asset;
    imageAssets[asset->id] = std::move(asset);
}

void AssetLibrary::insert(std::shared_ptr<const PrecompAsset> asset) {
    documentOrder_.push_back(asset);
    assets[asset->id] = asset;
    precompAssets[asset->id] = std::move(asset);
}

void AssetLibrary::encode(platform::json::Encoder& encoder) const {
    // An asset replaced by a later one of the same kind is unreachable and is
    // left out. One replaced only in `assets` by an asset of the other kind is
    // still found in its own kind's map, so it is written too (before the one
    // that shadows it), and reading the output back gives the same three maps.
    auto elements = encoder.unkeyedContainer();
    for (const auto& asset : documentOrder_) {
        auto image = imageAssets.find(asset->id);
        auto precomp = precompAssets.find(asset->id);
        bool reachable = (image != imageAssets.end() && image->second == asset) ||
                         (precomp != precompAssets.end() && precomp->second == asset);
        if (reachable) elements.encode(asset);
    }
}

}  // namespace lottie
