#include "Lottie/MainThread/LayerContainers/MaskLayer.h"

#include "Lottie/MainThread/LayerContainers/ActionDisabling.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/EngineColor.h"

namespace lottie {

MaskLayer::MaskLayer(const Mask& mask)
    : properties_(std::make_shared<MaskNodeProperties>(mask)), maskLayer_(platform::compositor::ShapeLayer::make()) {
    setAnchorPoint({0, 0});
    const LottieColor color = mask.mode == MaskMode::add ? LottieColor(1, 0, 0, 1) : LottieColor(0, 1, 0, 1);
    maskLayer_->setFillColor(engineColor(color));
    maskLayer_->setFillRule(platform::graphics::FillRule::evenOdd);
    disableActions(*this, {"opacity"});
}

std::shared_ptr<MaskLayer> MaskLayer::make(const Mask& mask) {
    auto layer = std::make_shared<MaskLayer>(mask);
    layer->addSublayer(layer->maskLayer_);
    return layer;
}

bool MaskLayer::drawsInverted(MaskMode mode, bool inverted) {
    switch (mode) {
        case MaskMode::subtract: return !inverted;
        case MaskMode::add:
        case MaskMode::lighten: return inverted;
        case MaskMode::intersect:
        case MaskMode::darken:
        case MaskMode::difference:
        case MaskMode::none: break;
    }
    return false;
}

void MaskLayer::updateWithFrame(double frame, bool forceUpdates) {
    if (!properties_) return;
    MaskNodeProperties& values = *properties_;
    if (forceUpdates || values.opacity->needsUpdate(frame)) {
        values.opacity->update(frame);
        setOpacity(static_cast<float>(values.opacity->value().value * 0.01));
    }
    if (!forceUpdates && !values.shape->needsUpdate(frame)) return;
    values.shape->update(frame);
    values.expansion->update(frame);
    platform::graphics::Path path = values.shape->value().toPath();
    if (drawsInverted(values.mode, values.inverted)) {
        // With the even-odd rule the shape becomes a hole in a plane larger than any layer.
        platform::graphics::Path inverted;
        inverted.addRect({-10'000'000, -10'000'000, 20'000'000, 20'000'000});
        inverted.addPath(path);
        path = std::move(inverted);
    }
    maskLayer_->setPath(std::move(path));
}

}  // namespace lottie
