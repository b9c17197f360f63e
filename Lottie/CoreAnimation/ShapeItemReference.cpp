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

const std::vector<std::string>& ShapeItemReference::groupNames() const {
    static const std::vector<std::string> none;
    return groupPath ? *groupPath : none;
}

LayerAnimationContext ShapeItemReference::context(const LayerAnimationContext& layerContext) const {
    LayerAnimationContext result = layerContext;
    for (const std::string& name : groupNames()) result = result.addingKeypathComponent(name);
    return result.addingKeypathComponent(item->name());
}

}  // namespace lottie
