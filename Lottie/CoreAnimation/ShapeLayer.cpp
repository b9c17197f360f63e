#include "Lottie/CoreAnimation/ShapeLayer.h"

#include <algorithm>

#include "Lottie/CoreAnimation/ShapeGrouping.h"
#include "Lottie/Model/ShapeItems/Group.h"

namespace lottie {

namespace {

// How deep the groups of `items` nest; each level becomes a layer inside the one above.
std::size_t groupDepth(const ShapeItemList& items) {
    std::size_t depth = 0;
    for (const auto& item : items) {
        if (const auto* group = dynamic_cast<const Group*>(item.get())) {
            depth = std::max(depth, 1 + groupDepth(group->items()));
        }
    }
    return depth;
}

}  // namespace

std::shared_ptr<ShapeLayer> ShapeLayer::make(std::shared_ptr<const ShapeLayerModel> model, const LayerContext& context) {
    auto layer = std::make_shared<ShapeLayer>(model);
    layer->installSublayers();
    // The shape layer, its contents, a layer per group level and the item
    // layers at the bottom count against the depth the compositor draws.
    if (!context.buildBudget->allowsLayerDepth(context.depth + 2 + groupDepth(model->items) + 1, context)) return layer;
    std::vector<ShapeItemReference> items;
    for (const auto& item : model->items) {
        if (item) items.push_back({item, {}});
    }
    ShapeGrouping::setUpGroups(*layer->contentsLayer(), items, nullptr, {}, context);
    return layer;
}

}  // namespace lottie
