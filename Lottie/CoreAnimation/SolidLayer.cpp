#include "Lottie/CoreAnimation/SolidLayer.h"

#include "Lottie/CoreAnimation/LayerProperties.h"
#include "Lottie/CoreAnimation/PropertyAnimation.h"
#include "Lottie/CoreAnimation/ProviderValueConversions.h"
#include "Lottie/Values/ColorConversions.h"
#include "Lottie/Values/LottieColor.h"

namespace lottie {

SolidLayer::SolidLayer(std::shared_ptr<const SolidLayerModel> model)
    : BaseCompositionLayer(model), solidLayer_(std::move(model)), shapeLayer_(platform::compositor::ShapeLayer::make()) {
    platform::graphics::Path path;
    path.addRect({0, 0, solidLayer_->width, solidLayer_->height});
    shapeLayer_->setPath(std::move(path));
}

std::shared_ptr<SolidLayer> SolidLayer::make(std::shared_ptr<const SolidLayerModel> model) {
    auto layer = std::make_shared<SolidLayer>(std::move(model));
    layer->installSublayers();
    layer->addContentSublayer(layer->shapeLayer_);
    return layer;
}

void SolidLayer::setupAnimations(const LayerAnimationContext& context) {
    BaseCompositionLayer::setupAnimations(context);
    const LayerAnimationContext own = context.addingKeypathComponent(solidLayer_->name);
    const RgbComponents rgb = hexColorComponents(solidLayer_->colorHex);
    PropertyAnimation::add<LottieColor>(
        *shapeLayer_, LayerProperties::fillColor(), KeyframeGroup<LottieColor>(LottieColor(rgb[0], rgb[1], rgb[2], 1)),
        [](const LottieColor& color) {
            return platform::compositor::AnimatableValue(ProviderValueConversions::colorOf(color));
        },
        own);
}

}  // namespace lottie
