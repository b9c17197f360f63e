#include "Lottie/CoreAnimation/ShapeLayer.h"

#include "Lottie/CoreAnimation/ShapeGrouping.h"

namespace lottie {

std::shared_ptr<ShapeLayer> ShapeLayer::make(std::shared_ptr<const ShapeLayerModel> model, const LayerContext& context) {
    auto layer = std::make_shared<ShapeLayer>(model);
    layer->installSublayers();
    std::vector<ShapeItemReference> items;
    for (const auto& item : model->items) {
        if (item) items.push_back({item, {}});
    }
    ShapeGrouping::setUpGroups(*layer->contentsLayer(), items, nullptr, {}, context);
    return layer;
}

}  // namespace lottie
