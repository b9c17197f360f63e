#include "Lottie/Model/Layers/SolidLayerModel.h"

namespace lottie {

namespace {
constexpr std::string_view file = "Lottie/SolidLayerModel";
}

SolidLayerModel::SolidLayerModel(const Dictionary& dictionary) : SolidLayerModel(read(dictionary), dictionary) {}
SolidLayerModel::SolidLayerModel(const platform::json::Decoder& decoder) : SolidLayerModel(read(decoder), decoder) {}

SolidLayerModel::SolidLayerModel(OwnKeys keys, const Dictionary& dictionary) : LayerModel(dictionary) {
    adopt(std::move(keys));
}
SolidLayerModel::SolidLayerModel(OwnKeys keys, const platform::json::Decoder& decoder) : LayerModel(decoder) {
    adopt(std::move(keys));
}

void SolidLayerModel::adopt(OwnKeys keys) {
    colorHex = std::move(keys.colorHex);
    width = keys.width;
    height = keys.height;
}

SolidLayerModel::OwnKeys SolidLayerModel::read(const Dictionary& dictionary) {
    return {value<std::string>(dictionary, "sc", file, 24), value<double>(dictionary, "sw", file, 25),
            value<double>(dictionary, "sh", file, 26)};
}

SolidLayerModel::OwnKeys SolidLayerModel::read(const platform::json::Decoder& decoder) {
    auto container = decoder.container();
    OwnKeys keys;
    keys.colorHex = container.decode<std::string>("sc");
    keys.width = container.decode<double>("sw");
    keys.height = container.decode<double>("sh");
    return keys;
}

void SolidLayerModel::encode(platform::json::Encoder& encoder) const {
    LayerModel::encode(encoder);
    auto container = encoder.container();
    container.encode("sc", colorHex);
    container.encode("sw", width);
    container.encode("sh", height);
}

}  // namespace lottie
