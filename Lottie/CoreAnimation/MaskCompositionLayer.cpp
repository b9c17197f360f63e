#include "Lottie/CoreAnimation/MaskCompositionLayer.h"

#include "Lottie/CoreAnimation/BaseAnimationLayer.h"
#include "Lottie/CoreAnimation/KeyframeAnimationBuilder.h"
#include "Lottie/CoreAnimation/LayerProperties.h"
#include "Lottie/CoreAnimation/PathRepetition.h"

namespace lottie {

using platform::compositor::Layer;

MaskCompositionLayer::MaskLayer::MaskLayer(std::shared_ptr<const Mask> mask) : maskModel_(std::move(mask)) {
    setFillRule(platform::graphics::FillRule::evenOdd);
}

void MaskCompositionLayer::MaskLayer::setupAnimations(const LayerAnimationContext& context) {
    if (!maskModel_ || !maskModel_->shape) return;
    const bool inverted = invertsPath(maskModel_->mode, maskModel_->inverted);
    KeyframeAnimationBuilder::attach<BezierPath>(
        LayerProperties::path(), *maskModel_->shape,
        [inverted](const BezierPath& shape) {
            // As curves throughout, so that a mask keyframed from straight
            // segments to curved ones morphs instead of holding its first shape.
            platform::graphics::Path path = PathRepetition::curves(shape);
            if (!inverted) return platform::compositor::AnimatableValue(std::move(path));
            // With the even-odd rule the shape becomes a hole in the plane.
            platform::graphics::Path plane;
            plane.addRect({invertedPlaneOrigin, invertedPlaneOrigin, invertedPlaneSize, invertedPlaneSize});
            plane.addPath(path);
            return platform::compositor::AnimatableValue(std::move(plane));
        },
        context, *this);
}

MaskCompositionLayer::MaskCompositionLayer(const std::vector<std::shared_ptr<const Mask>>& masks) {
    for (const auto& mask : masks) {
        if (mask) maskLayers_.push_back(std::make_shared<MaskLayer>(mask));
    }
}

std::shared_ptr<MaskCompositionLayer> MaskCompositionLayer::make(const std::vector<std::shared_ptr<const Mask>>& masks) {
    auto layer = std::make_shared<MaskCompositionLayer>(masks);
    layer->placeMaskLayers();
    return layer;
}

MaskMode MaskCompositionLayer::usableMode(MaskMode mode) {
    switch (mode) {
        case MaskMode::add:
        case MaskMode::lighten: return MaskMode::add;
        case MaskMode::intersect:
        case MaskMode::difference: return MaskMode::intersect;
        case MaskMode::subtract:
        case MaskMode::darken:
        case MaskMode::none: break;
    }
    return mode;
}

bool MaskCompositionLayer::invertsPath(MaskMode mode, bool inverted) {
    const MaskMode usable = usableMode(mode);
    if (usable == MaskMode::subtract) return !inverted;
    if (usable == MaskMode::add) return inverted;
    return false;
}

void MaskCompositionLayer::placeMaskLayers() {
    auto container = BaseAnimationLayer::make();
    bool first = true;
    for (const auto& maskLayer : maskLayers_) {
        const MaskMode mode = usableMode(maskLayer->maskModel()->mode);
        if (mode == MaskMode::none) continue;
        if (mode == MaskMode::add || first) {
            container->addSublayer(maskLayer);
        } else {
            // A cutting mask keeps of everything placed so far only what it covers.
            container->setMask(maskLayer);
            auto outer = BaseAnimationLayer::make();
            outer->addSublayer(std::move(container));
            container = std::move(outer);
        }
        first = false;
    }
    addSublayer(std::move(container));
}

void MaskCompositionLayer::setupAnimations(const LayerAnimationContext& context) {
    for (const auto& maskLayer : maskLayers_) maskLayer->setupAnimations(context);
}

void MaskCompositionLayer::layoutSublayers() {
    Layer::layoutSublayers();
    BaseAnimationLayer::layOutManagedLayers(*this, sublayers());
}

}  // namespace lottie
