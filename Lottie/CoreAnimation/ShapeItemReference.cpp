#include "Lottie/CoreAnimation/ShapeItemReference.h"

namespace lottie {

bool ShapeItemReference::isPathItem() const {
    switch (item->type()) {
        case ShapeType::ellipse:
        case ShapeType::rectangle:
        case ShapeType::shape:
        case ShapeType::star: return true;
        default: return false;
    }
}

bool ShapeItemReference::isFillType() const {
    return item->type() == ShapeType::fill || item->type() == ShapeType::gradientFill;
}

bool ShapeItemReference::isStrokeType() const {
    return item->type() == ShapeType::stroke || item->type() == ShapeType::gradientStroke;
}

bool ShapeItemReference::isDrawingItem() const { return isFillType() || isStrokeType(); }

LayerAnimationContext ShapeItemReference::context(const LayerAnimationContext& layerContext) const {
    // The group names are shared, not copied: an item hundreds of groups deep
    // costs no more to place than one at the top.
    return layerContext.addingKeypathComponents(groupPath, item->name());
}

}  // namespace lottie
