#pragma once
// A precomposition: a nested list of layers that precomposition layers play
// by referring to the asset's identifier. Owned by the AssetLibrary.

#include <memory>
#include <vector>

#include "Lottie/Model/Assets/Asset.h"
#include "Lottie/Model/Layers/LayerModel.h"

namespace lottie {

class PrecompAsset : public Asset {
public:
    explicit PrecompAsset(const Dictionary& dictionary);
    explicit PrecompAsset(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const override;

    std::vector<std::shared_ptr<const LayerModel>> layers;
};

}  // namespace lottie
