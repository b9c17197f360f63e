#include "Lottie/CoreAnimation/BaseCompositionLayer.h"

#include "Lottie/CoreAnimation/DropShadowAnimation.h"
#include "Lottie/CoreAnimation/MaskCompositionLayer.h"
#include "Lottie/CoreAnimation/OpacityAnimation.h"
#include "Lottie/CoreAnimation/TransformAnimations.h"
#include "Lottie/CoreAnimation/VisibilityAnimation.h"
#include "Lottie/Model/Layers/LayerDropShadow.h"
#include "Lottie/Model/Layers/Transform.h"
#include "Lottie/Values/ColorConversions.h"

namespace lottie {

namespace {

// A blend mode blends what the layer shows once transformed, faded and
// masked, and a drop shadow lies outside the transform: either needs the
// contents in a layer inside this one.
bool needsContentsLayer(const LayerModel& model) {
    return blendModeFilterName(model.blendMode).has_value() || layerDropShadow(model) != nullptr;
}

}  // namespace

BaseCompositionLayer::BaseCompositionLayer(std::shared_ptr<const LayerModel> model)
    : BaseCompositionLayer(model, needsContentsLayer(*model)) {}

BaseCompositionLayer::BaseCompositionLayer(std::shared_ptr<const LayerModel> model, bool ownContentsLayer)
    : contentsLayer_(ownContentsLayer ? BaseAnimationLayer::make() : nullptr), baseLayerModel_(std::move(model)) {
    setCompositingFilter(blendModeFilterName(baseLayerModel_->blendMode));
    setName(baseLayerModel_->name);
    if (contentsLayer_) contentsLayer_->setName(baseLayerModel_->name + " (Content)");
}

void BaseCompositionLayer::installSublayers() {
    if (contentsLayer_) addSublayer(contentsLayer_);
    if (drawsOwnContents()) dropShadowModel_ = baseLayerModel_;
    if (!drawsOwnContents() || !baseLayerModel_->masks) return;
    // A mask of mode none changes nothing: it is left out before the nesting.
    std::vector<std::shared_ptr<const Mask>> masks;
    for (const auto& mask : *baseLayerModel_->masks) {
        if (mask && mask->mode != MaskMode::none) masks.push_back(mask);
    }
    if (!masks.empty()) contentsLayer()->setMask(MaskCompositionLayer::make(masks));
}

void BaseCompositionLayer::addContentSublayer(std::shared_ptr<platform::compositor::Layer> layer) {
    if (layer == contentsLayer_) {
        addSublayer(std::move(layer));
    } else {
        contentsLayer()->addSublayer(std::move(layer));
    }
}

void BaseCompositionLayer::takeDropShadow(BaseCompositionLayer& inner) {
    if (&inner == this || !inner.dropShadowModel_ || !contentsLayer_) return;
    dropShadowModel_ = std::move(inner.dropShadowModel_);
}

void BaseCompositionLayer::setupAnimations(const LayerAnimationContext& context) {
    const LayerAnimationContext child = context.addingKeypathComponent(baseLayerModel_->name);
    installOwnAnimations(child);
    // The layers inside a contents-less layer keep the keypath of the layer above it.
    BaseAnimationLayer::setupAnimations(drawsOwnContents() ? child : context);
}

void BaseCompositionLayer::installOwnAnimations(const LayerAnimationContext& context) {
    const LayerAnimationContext transformContext = context.addingKeypathComponent("Transform");
    // Every decoded layer has a transform; a model built in code may lack one.
    if (!baseLayerModel_->transform) return;
    const Transform& transform = *baseLayerModel_->transform;
    BaseAnimationLayer& contents = *contentsLayer();
    TransformAnimations::addTransformAnimations(contents, transform, transformContext);
    if (const DropShadowModel* shadow = dropShadowModel_ ? layerDropShadow(*dropShadowModel_) : nullptr) {
        DropShadowAnimation::animateDropShadow(*this, *shadow, context);
    }
    if (!drawsOwnContents()) return;
    if (transform.opacity()) OpacityAnimation::animateOpacity(contents, *transform.opacity(), transformContext);
    VisibilityAnimation::animateVisibility(contents, baseLayerModel_->inFrame, baseLayerModel_->outFrame, context);
}

}  // namespace lottie
