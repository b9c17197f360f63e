#include "Lottie/Model/ShapeItems/CombinedShapeItem.h"

#include "Lottie/Model/ShapeItems/ShapeItemDecoding.h"

namespace lottie {

CombinedShapeItem::CombinedShapeItem(KeyframeGroupPtr<std::vector<BezierPath>> shapes, std::string name)
    : ShapeItem(std::move(name), ShapeType::shape, false), shapes_(std::move(shapes)) {}

bool CombinedShapeItem::equals(const ShapeItem& other) const {
    return ShapeItem::equals(other) && sameGroup(shapes_, static_cast<const CombinedShapeItem&>(other).shapes_);
}

}  // namespace lottie
