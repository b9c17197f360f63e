#pragma once
// A layer drawn from shape items (groups, paths, fills, strokes, modifiers).

#include <memory>
#include <vector>

#include "Lottie/Model/Layers/LayerModel.h"
#include "Lottie/Model/ShapeItems/ShapeItem.h"

namespace lottie {

class ShapeLayerModel : public LayerModel {
public:
    explicit ShapeLayerModel(const Dictionary& dictionary);
    explicit ShapeLayerModel(const platform::json::Decoder& decoder);

    void encode(platform::json::Encoder& encoder) const override;

    std::vector<std::shared_ptr<const ShapeItem>> items;

private:
    using Items = std::vector<std::shared_ptr<const ShapeItem>>;
    static Items read(const Dictionary& dictionary);
    static Items read(const platform::json::Decoder& decoder);
    ShapeLayerModel(Items items, const Dictionary& dictionary);
    ShapeLayerModel(Items items, const platform::json::Decoder& decoder);
};

}  // namespace lottie
