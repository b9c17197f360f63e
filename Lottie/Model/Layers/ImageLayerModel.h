#pragma once
// A layer that shows an image asset.

#include <string>

#include "Lottie/Model/Layers/LayerModel.h"

namespace lottie {

class ImageLayerModel : public LayerModel {
public:
    explicit ImageLayerModel(const Dictionary& dictionary);
    explicit ImageLayerModel(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const override;

    std::string referenceID;

private:
    ImageLayerModel(std::string referenceID, const Dictionary& dictionary);
    ImageLayerModel(std::string referenceID, const platform::json::Decoder& decoder);
};

}  // namespace lottie
