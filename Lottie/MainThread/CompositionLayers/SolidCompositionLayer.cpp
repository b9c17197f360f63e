#include "Lottie/MainThread/CompositionLayers/SolidCompositionLayer.h"

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/SingleValueProvider.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/EngineColor.h"
#include "Lottie/Values/ColorConversions.h"

namespace lottie {

namespace {

LottieColor solidColor(const SolidLayerModel& solid) {
    const RgbComponents rgb = hexColorComponents(solid.colorHex);
    return LottieColor(rgb[0], rgb[1], rgb[2], 1);
}

}  // namespace

SolidCompositionLayer::SolidCompositionLayer(const SolidLayerModel& solid)
    : CompositionLayer(solid, {0, 0}),
      colorProperty_(makeSingleValueProperty(solidColor(solid))),
      solidShape_(platform::compositor::ShapeLayer::make()) {
    platform::graphics::Path path;
    path.addRect({0, 0, solid.width, solid.height});
    solidShape_->setPath(std::move(path));
    contentsLayer()->addSublayer(solidShape_);
}

void SolidCompositionLayer::showContentsAtFrame(double frame, bool) {
    colorProperty_->update(frame);
    solidShape_->setFillColor(engineColor(colorProperty_->value()));
}

}  // namespace lottie
