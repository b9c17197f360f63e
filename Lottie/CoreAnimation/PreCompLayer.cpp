#include "Lottie/CoreAnimation/PreCompLayer.h"

#include <algorithm>
#include <memory>

#include "Lottie/CoreAnimation/LayerTreeBuilder.h"
#include "Lottie/Values/KeyframeInterpolator.h"

namespace lottie {

PreCompLayer::PreCompLayer(std::shared_ptr<const PreCompLayerModel> model)
    : BaseCompositionLayer(model), preCompLayer_(std::move(model)) {
    contentsLayer()->setMasksToBounds(true);
}

std::shared_ptr<PreCompLayer> PreCompLayer::make(std::shared_ptr<const PreCompLayerModel> model,
                                                 const LayerContext& context) {
    auto layer = std::make_shared<PreCompLayer>(std::move(model));
    layer->installSublayers();
    layer->setUpLayerHierarchy(context);
    return layer;
}

void PreCompLayer::setUpLayerHierarchy(const LayerContext& context) {
    if (!context.animation || !context.animation->assetLibrary) return;
    const auto& assets = context.animation->assetLibrary->precompAssets;
    const auto found = assets.find(preCompLayer_->referenceID);
    if (found == assets.end() || !found->second) return;
    const std::vector<std::string>& building = context.precompositionsBeingBuilt;
    if (std::find(building.begin(), building.end(), preCompLayer_->referenceID) != building.end()) return;
    // Building a precomposition recurses into the builder: the depth limit also
    // bounds that recursion.
    if (!context.buildBudget->allowsPrecompositionDepth(building.size() + 1, context)) return;
    LayerContext inner = context;
    inner.precompositionsBeingBuilt.push_back(preCompLayer_->referenceID);
    inner.depth = context.depth + 1;
    LayerTreeBuilder::buildChildLayers(*contentsLayer(), inner, found->second->layers);
}

double PreCompLayer::usableTimeStretch() const {
    return preCompLayer_->timeStretch != 0 ? preCompLayer_->timeStretch : 1;
}

LayerAnimationContext PreCompLayer::remappedContext(const LayerAnimationContext& context) const {
    using TimeRemapping = LayerAnimationContext::TimeRemapping;
    LayerAnimationContext remapped = context;
    const double stretch = usableTimeStretch();
    const double start = preCompLayer_->startTime;
    // Each remapping calls the one of the precomposition above through a
    // pointer it shares: held by value, every copy of a context (one for each
    // layer below) would copy the whole chain of the levels above it.
    const auto outerSimple = std::make_shared<const TimeRemapping>(context.simpleTimeRemapping);
    remapped.simpleTimeRemapping = [outerSimple, stretch, start](double frame) {
        return (*outerSimple)(frame * stretch + start);
    };
    const auto outerComplex = std::make_shared<const TimeRemapping>(context.complexTimeRemapping);
    if (preCompLayer_->timeRemapping) {
        // One interpolator for this installation: its cache lives as long as the context.
        auto interpolator =
            std::make_shared<KeyframeInterpolator<LottieVector1D>>(preCompLayer_->timeRemapping->keyframes());
        const double framerate = context.animation ? context.animation->framerate : 0;
        remapped.complexTimeRemapping = [outerComplex, interpolator, framerate](double frame) {
            return interpolator->value((*outerComplex)(frame)).value * framerate;
        };
        remapped.mustUseComplexTimeRemapping = true;
    } else {
        remapped.complexTimeRemapping = [outerComplex, stretch, start](double frame) {
            return ((*outerComplex)(frame) - start) / stretch;
        };
    }
    return remapped;
}

void PreCompLayer::layout(const platform::graphics::Rect& parentBounds) {
    setAnchorPoint({0, 0});
    setBounds({parentBounds.origin.x, parentBounds.origin.y, preCompLayer_->width, preCompLayer_->height});
}

void PreCompLayer::setupAnimations(const LayerAnimationContext& context) {
    const LayerAnimationContext child = context.addingKeypathComponent(preCompLayer_->name);
    installOwnAnimations(child);
    // The children and this layer's own masks play on the local timeline.
    BaseAnimationLayer::setupAnimations(remappedContext(child));
}

}  // namespace lottie
