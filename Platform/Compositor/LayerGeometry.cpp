#include "Platform/Compositor/LayerGeometry.h"

#include "Platform/Compositor/Layer.h"

namespace platform::compositor {

using graphics::AffineTransform;
using graphics::Point;

Point LayerGeometry::anchorInBounds(const Layer& layer) {
    const graphics::Rect& bounds = layer.bounds();
    return {bounds.origin.x + layer.anchorPoint().x * bounds.size.width,
            bounds.origin.y + layer.anchorPoint().y * bounds.size.height};
}

AffineTransform LayerGeometry::layerToParent(const Layer& layer) {
    const Point anchor = anchorInBounds(layer);
    AffineTransform result = AffineTransform::makeTranslation(-anchor.x, -anchor.y);
    if (!layer.transform().isIdentity()) {
        result = result.concatenating(layer.transform().affine());
    }
    return result.concatenating(AffineTransform::makeTranslation(layer.position().x, layer.position().y));
}

AffineTransform LayerGeometry::sublayerTransform(const Layer& parent) {
    if (parent.sublayerTransform().isIdentity()) {
        return {};
    }
    const Point anchor = anchorInBounds(parent);
    return AffineTransform::makeTranslation(-anchor.x, -anchor.y)
        .concatenating(parent.sublayerTransform().affine())
        .concatenating(AffineTransform::makeTranslation(anchor.x, anchor.y));
}

AffineTransform LayerGeometry::layerToRoot(const Layer& layer) {
    AffineTransform result;
    const Layer* current = &layer;
    std::shared_ptr<Layer> holder;
    while (current) {
        std::shared_ptr<Layer> parent = current->superlayer();
        const bool isSublayer = parent != nullptr;
        if (!parent) {
            parent = current->maskOwner();
        }
        if (!parent) {
            break;
        }
        result = result.concatenating(layerToParent(*current));
        if (isSublayer) {
            result = result.concatenating(sublayerTransform(*parent));
        }
        holder = std::move(parent);
        current = holder.get();
    }
    return result;
}

}  // namespace platform::compositor
