#include "Lottie/MainThread/LayerContainers/MaskLayer.h"

#include <algorithm>

#include "Lottie/MainThread/LayerContainers/DisabledActions.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/EngineColor.h"

namespace lottie {

namespace {

// A rectangle far larger than any layer: the plane that inverted shapes are cut
// out of, and that a subtracting mask keeps where its opacity spares it.
const platform::graphics::Rect plane(-10'000'000, -10'000'000, 20'000'000, 20'000'000);

// A subtracting mask keeps everything but its shape, which it takes away by its
// opacity; the other modes bring their shape in by their opacity.
bool removesShape(MaskMode mode) { return mode == MaskMode::subtract; }

}  // namespace

MaskLayer::MaskLayer(const Mask& mask)
    : properties_(std::make_shared<MaskNodeProperties>(mask)), maskLayer_(platform::compositor::ShapeLayer::make()) {
    setAnchorPoint({0, 0});
    const LottieColor color = mask.mode == MaskMode::add ? LottieColor(1, 0, 0, 1) : LottieColor(0, 1, 0, 1);
    maskLayer_->setFillColor(engineColor(color));
    maskLayer_->setFillRule(platform::graphics::FillRule::evenOdd);
    if (removesShape(mask.mode)) {
        remainderLayer_ = platform::compositor::ShapeLayer::make();
        platform::graphics::Path path;
        path.addRect(plane);
        remainderLayer_->setPath(std::move(path));
    }
    static DisabledActions disabled{"opacity"};
    disabled.applyTo(*this);
}

std::shared_ptr<MaskLayer> MaskLayer::make(const Mask& mask) {
    auto layer = std::make_shared<MaskLayer>(mask);
    if (layer->remainderLayer_) layer->addSublayer(layer->remainderLayer_);
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
        const double opacity = values.opacity->value().value * 0.01;
        if (remainderLayer_) {
            // The shape at full strength over the plane at 1 - opacity leaves
            // 1 - opacity x coverage: the shape's hole is exactly `opacity` deep,
            // and a mask at opacity 0 changes nothing.
            const double kept = 1 - (opacity > 0 ? std::min(opacity, 1.0) : 0.0);
            remainderLayer_->setFillColor(engineColor(LottieColor(0, 0, 0, kept)));
            remainderLayer_->setHidden(!(kept > 0));
        } else {
            setOpacity(static_cast<float>(opacity));
        }
    }
    if (!forceUpdates && !values.shape->needsUpdate(frame)) return;
    values.shape->update(frame);
    values.expansion->update(frame);
    platform::graphics::Path path = values.shape->value().toPath();
    if (drawsInverted(values.mode, values.inverted)) {
        // With the even-odd rule the shape becomes a hole in a plane larger than any layer.
        platform::graphics::Path inverted;
        inverted.addRect(plane);
        inverted.addPath(path);
        path = std::move(inverted);
    }
    maskLayer_->setPath(std::move(path));
}

}  // namespace lottie
