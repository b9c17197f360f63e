#include "Lottie/Model/Layers/ShapeLayerModel.h"

namespace lottie {

ShapeLayerModel::ShapeLayerModel(const Dictionary& dictionary) : ShapeLayerModel(read(dictionary), dictionary) {}
ShapeLayerModel::ShapeLayerModel(const platform::json::Decoder& decoder) : ShapeLayerModel(read(decoder), decoder) {}

ShapeLayerModel::ShapeLayerModel(Items shapeItems, const Dictionary& dictionary)
    : LayerModel(dictionary), items(std::move(shapeItems)) {}

ShapeLayerModel::ShapeLayerModel(Items shapeItems, const platform::json::Decoder& decoder)
    : LayerModel(decoder), items(std::move(shapeItems)) {}

ShapeLayerModel::Items ShapeLayerModel::read(const Dictionary& dictionary) {
    return ShapeItem::itemsFromDictionaries(value<DictionaryArray>(dictionary, "shapes", "Lottie/ShapeLayerModel", 22));
}

ShapeLayerModel::Items ShapeLayerModel::read(const platform::json::Decoder& decoder) {
    return ShapeItem::decodeShapeItemFamily(decoder.container(), "shapes");
}

void ShapeLayerModel::encode(platform::json::Encoder& encoder) const {
    LayerModel::encode(encoder);
    encoder.container().encode("shapes", items);
}

}  // namespace lottie
