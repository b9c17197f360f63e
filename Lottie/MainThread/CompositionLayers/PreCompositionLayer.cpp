#include "Lottie/MainThread/CompositionLayers/PreCompositionLayer.h"

#include "Lottie/MainThread/CompositionLayers/CompositionLayerFactory.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"

namespace lottie {

PreCompositionLayer::PreCompositionLayer(const PreCompLayerModel& precomp, const PrecompAsset& asset,
                                         CompositionLayerContext& context)
    : CompositionLayer(precomp, {precomp.width, precomp.height}), frameRate_(context.frameRate) {
    if (precomp.timeRemapping) remappingNode_ = makeKeyframeProperty(precomp.timeRemapping);
    const platform::graphics::Rect bounds(0, 0, precomp.width, precomp.height);
    setBounds(bounds);
    contentsLayer()->setMasksToBounds(true);
    contentsLayer()->setBounds(bounds);

    context.precompositionsInProgress.push_back(precomp.referenceID);
    std::vector<std::shared_ptr<CompositionLayer>> children =
        CompositionLayerFactory::makeCompositionLayers(asset.layers, context);
    context.precompositionsInProgress.pop_back();
    CompositionLayerFactory::stack(children, *contentsLayer(), bounds, animationLayers_);
    for (const auto& child : children) appendChildKeypath(child);
}

double PreCompositionLayer::localFrame(double frame) {
    if (remappingNode_) {
        remappingNode_->update(frame);
        return remappingNode_->value().value * frameRate_;
    }
    // A stretch of 0 would divide by nothing; the layer then plays unstretched,
    // as the other engine plays it.
    const double stretch = timeStretch() != 0 ? timeStretch() : 1;
    // A frame within rounding of the start is the start, as the compositor
    // starts a layer whose begin time the parent's time meets within rounding.
    // A start between whole frames (6.00000024 in a 29.97 fps export) is met by
    // frames a few ulps to either side; the difference, tiny next to a local
    // in frame of 0, would keep the children hidden on the hand-over frame.
    if (isAt(frame, startFrame())) return 0;
    return (frame - startFrame()) / stretch;
}

void PreCompositionLayer::showContentsAtFrame(double frame, bool forceUpdates) {
    const double local = localFrame(frame);
    for (const auto& layer : animationLayers_) layer->showFrame(local, forceUpdates, showingAnimationEnd());
}

void PreCompositionLayer::applyRenderScale() {
    setContentsScale(renderScale());
    for (const auto& layer : animationLayers_) {
        layer->setRenderScale(renderScale());
        layer->applyRenderScale();
    }
}

KeypathSearchable::Properties PreCompositionLayer::keypathProperties() const {
    if (!remappingNode_) return {};
    return {{"Time Remap", remappingNode_}};
}

}  // namespace lottie
