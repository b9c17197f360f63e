#include "Lottie/Model/Layers/PreCompLayerModel.h"

namespace lottie {

namespace {
constexpr std::string_view file = "Lottie/PreCompLayerModel";
}

PreCompLayerModel::PreCompLayerModel(const Dictionary& dictionary) : PreCompLayerModel(read(dictionary), dictionary) {}
PreCompLayerModel::PreCompLayerModel(const platform::json::Decoder& decoder)
    : PreCompLayerModel(read(decoder), decoder) {}

PreCompLayerModel::PreCompLayerModel(OwnKeys keys, const Dictionary& dictionary) : LayerModel(dictionary) {
    adopt(std::move(keys));
}
PreCompLayerModel::PreCompLayerModel(OwnKeys keys, const platform::json::Decoder& decoder) : LayerModel(decoder) {
    adopt(std::move(keys));
}

void PreCompLayerModel::adopt(OwnKeys keys) {
    referenceID = std::move(keys.referenceID);
    timeRemapping = std::move(keys.timeRemapping);
    width = keys.width;
    height = keys.height;
}

PreCompLayerModel::OwnKeys PreCompLayerModel::read(const Dictionary& dictionary) {
    OwnKeys keys;
    keys.referenceID = value<std::string>(dictionary, "refId", file, 25);
    keys.timeRemapping = optionalGroup<LottieVector1D>(dictionary, "tm");
    keys.width = value<double>(dictionary, "w", file, 31);
    keys.height = value<double>(dictionary, "h", file, 32);
    return keys;
}

PreCompLayerModel::OwnKeys PreCompLayerModel::read(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    OwnKeys keys;
    keys.referenceID = container.decode<std::string>("refId");
    keys.timeRemapping = container.decodeIfPresent<KeyframeGroupPtr<LottieVector1D>>("tm").value_or(nullptr);
    keys.width = container.decode<double>("w");
    keys.height = container.decode<double>("h");
    return keys;
}

void PreCompLayerModel::encode(platform::json::Encoder& encoder) const {
    LayerModel::encode(encoder);
    auto container = encoder.container();
    container.encode("refId", referenceID);
    container.encode("tm", timeRemapping);  // null when absent
    container.encode("w", width);
    container.encode("h", height);
}

}  // namespace lottie
