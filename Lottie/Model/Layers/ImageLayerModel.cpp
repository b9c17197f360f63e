#include "Lottie/Model/Layers/ImageLayerModel.h"

namespace lottie {

ImageLayerModel::ImageLayerModel(const Dictionary& dictionary)
    : ImageLayerModel(value<std::string>(dictionary, "refId", "Lottie/ImageLayerModel", 22), dictionary) {}

ImageLayerModel::ImageLayerModel(const platform::json::Decoder& decoder)
    : ImageLayerModel(decoder.container().decode<std::string>("refId"), decoder) {}

ImageLayerModel::ImageLayerModel(std::string reference, const Dictionary& dictionary)
    : LayerModel(dictionary), referenceID(std::move(reference)) {}

ImageLayerModel::ImageLayerModel(std::string reference, const platform::json::Decoder& decoder)
    : LayerModel(decoder), referenceID(std::move(reference)) {}

void ImageLayerModel::encode(platform::json::Encoder& encoder) const {
    LayerModel::encode(encoder);
    encoder.container().encode("refId", referenceID);
}

}  // namespace lottie
