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

    // This layer's own time line is the one the factory builds it on; a
    // remapping gives its children a time line of their own.
    const ComposedTimeline outer = context.timeline;
    context.timeline = remappingNode_ ? ComposedTimeline{} : outer.nested(startFrame(), usableTimeStretch());
    context.precompositionsInProgress.push_back(precomp.referenceID);
    std::vector<std::shared_ptr<CompositionLayer>> children =
        CompositionLayerFactory::makeCompositionLayers(asset.layers, context);
    context.precompositionsInProgress.pop_back();
    context.timeline = outer;
    CompositionLayerFactory::stack(children, *contentsLayer(), bounds, animationLayers_);
    for (const auto& child : children) appendChildKeypath(child);
}

double PreCompositionLayer::localFrame(double frame) {
    if (remappingNode_) {
        remappingNode_->update(frame);
        return remappingNode_->value().value * frameRate_;
    }
    // A frame within rounding of the start is the start, as the compositor
    // starts a layer whose begin time the parent's time meets within rounding:
    // keys of the children at their frame 0 then show on that frame.
    if (timeline().isAt(frame, startFrame())) return 0;
    return (frame - startFrame()) / usableTimeStretch();
}

double PreCompositionLayer::usableTimeStretch() const {
    // A stretch of 0 would divide by nothing; the layer then plays unstretched,
    // as the other engine plays it.
    return timeStretch() != 0 ? timeStretch() : 1;
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
