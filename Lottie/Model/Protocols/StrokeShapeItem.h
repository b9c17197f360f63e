#pragma once
// What the Core Animation engine reads of a shape item that outlines paths,
// solid or gradient. Only shape items adopt it; the item owns what it hands out.

#include <memory>
#include <optional>

#include "Lottie/Model/DashElement.h"
#include "Lottie/Model/Protocols/OpacityAnimationModel.h"
#include "Lottie/Model/ShapeItems/ShapeItemEnumerations.h"
#include "Lottie/Values/LottieColor.h"

namespace lottie {

class StrokeShapeItem : public virtual OpacityAnimationModel {
public:
    // Null for strokes without a solid colour.
    virtual KeyframeGroupPtr<LottieColor> strokeColor() const = 0;
    virtual KeyframeGroupPtr<LottieVector1D> width() const = 0;
    virtual LineCap lineCap() const = 0;
    virtual LineJoin lineJoin() const = 0;
    virtual double miterLimit() const = 0;
    virtual const std::optional<DashPattern>& dashPattern() const = 0;
    // A new item of the receiver's class that differs only in its width; the
    // receiver is unchanged and shares every other group with the copy.
    virtual std::shared_ptr<const StrokeShapeItem> withWidth(KeyframeGroupPtr<LottieVector1D> width) const = 0;
};

}  // namespace lottie
