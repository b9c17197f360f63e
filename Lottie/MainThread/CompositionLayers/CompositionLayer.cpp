#include "Lottie/MainThread/CompositionLayers/CompositionLayer.h"

#include "Lottie/MainThread/LayerContainers/DisabledActions.h"
#include "Lottie/MainThread/LayerContainers/InvertedMatteLayer.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/LayerEffectNodes/DropShadowNode.h"
#include "Lottie/Model/Layers/LayerDropShadow.h"
#include "Lottie/Playback/Keypaths/KeypathSearch.h"
#include "Lottie/Values/ColorConversions.h"

namespace lottie {

namespace {

std::shared_ptr<const Transform> transformOf(const LayerModel& layer) {
    static const auto defaultTransform = std::make_shared<const Transform>();
    return layer.transform ? layer.transform : defaultTransform;
}

}  // namespace

CompositionLayer::CompositionLayer(const LayerModel& layer, platform::graphics::Size size, bool masked,
                                   std::shared_ptr<platform::compositor::Layer> contents)
    : transformNode_(std::make_shared<LayerTransformNode>(transformOf(layer))),
      contentsLayer_(contents ? std::move(contents) : platform::compositor::Layer::make()),
      matteType_(layer.matte),
      inFrame_(layer.inFrame),
      outFrame_(layer.outFrame),
      startFrame_(layer.startTime),
      timeStretch_(layer.timeStretch) {
    childKeypaths_.push_back(transformNode_->transformProperties());
    if (masked && layer.masks) {
        std::vector<std::shared_ptr<const Mask>> masks;
        for (const auto& mask : *layer.masks) {
            if (mask && mask->mode != MaskMode::none) masks.push_back(mask);
        }
        if (!masks.empty()) maskLayer_ = MaskContainerLayer::make(masks);
    }
    setAnchorPoint({0, 0});
    static DisabledActions disabled{"opacity",      "transform",   "bounds",      "anchorPoint", "sublayerTransform",
                                    "shadowOpacity", "shadowOffset", "shadowColor", "shadowRadius"};
    disabled.applyTo(*this);
    contentsLayer_->setAnchorPoint({0, 0});
    contentsLayer_->setBounds({0, 0, size.width, size.height});
    static DisabledActions contentsDisabled{"opacity",     "transform",         "bounds",
                                            "anchorPoint", "sublayerTransform", "hidden"};
    contentsDisabled.applyTo(*contentsLayer_);
    setCompositingFilter(blendModeFilterName(layer.blendMode));
    if (maskLayer_) contentsLayer_->setMask(maskLayer_);
    if (const DropShadowModel* shadow = layerDropShadow(layer)) {
        layerEffectNodes_.push_back(std::make_shared<DropShadowNode>(*shadow));
    }
    setName(layer.name);
}

bool CompositionLayer::isShownAt(double frame, bool animationEnd) const {
    if (!timeline_.reaches(frame, inFrame_)) return false;
    if (!timeline_.reaches(frame, outFrame_)) return true;
    return animationEnd && timeline_.isAt(frame, outFrame_);
}

void CompositionLayer::showFrame(double frame, bool forceUpdates, bool animationEnd) {
    transformNode_->propagateContentUpdates(frame, forceUpdates);
    transformNode_->propagateOutputUpdates(frame, forceUpdates);
    showingAnimationEnd_ = animationEnd;
    const bool visible = isShownAt(frame, animationEnd);
    if (visible) {
        // A forced pass that found the layer hidden (a value provider changed
        // past its out-point, say) left its contents as they were, still taken
        // as current for the frames they last showed: the first frame that
        // shows them again is forced in their stead.
        const bool forceContents = forceUpdates || contentsOweForcedUpdate_;
        contentsOweForcedUpdate_ = false;
        std::optional<AnimatorNode::ForcedUpdates> owedPass;
        if (forceContents && !forceUpdates) owedPass.emplace();
        showContentsAtFrame(frame, forceContents);
        if (maskLayer_) maskLayer_->updateWithFrame(frame, forceContents);
    } else if (forceUpdates) {
        contentsOweForcedUpdate_ = true;
    }
    contentsLayer_->setTransform(transformNode_->globalTransform());
    contentsLayer_->setOpacity(transformNode_->opacity());
    contentsLayer_->setHidden(!visible);
    if (auto delegate = layerDelegate_.lock()) delegate->frameUpdated();
    for (const auto& effect : layerEffectNodes_) {
        for (const auto& property : effect->propertyMap().properties()) {
            if (property->needsUpdate(frame)) property->update(frame);
        }
        effect->apply(*this);
    }
}

void CompositionLayer::setMatteLayer(std::shared_ptr<CompositionLayer> matte) {
    matteLayer_ = std::move(matte);
    setupMatte();
}

void CompositionLayer::setupMatte() {
    // Only the matte's alpha counts, which the compositor reads from the mask
    // layer directly. An inverted matte needs a layer of its own that holds the
    // source and inverts it.
    if (!matteLayer_ || (matteType_ != MatteType::add && matteType_ != MatteType::invert)) {
        setMask(nullptr);
        return;
    }
    if (matteType_ == MatteType::invert) {
        auto inverted = InvertedMatteLayer::make(matteLayer_);
        inverted->setAnchorPoint({0, 0});
        inverted->setBounds(matteLayer_->bounds());
        setMask(inverted);
        return;
    }
    setMask(matteLayer_);
}

std::vector<std::string> CompositionLayer::keypathList(const std::vector<std::string>& prefix) const {
    return lottie::keypathList(*this, prefix);
}

std::optional<std::vector<std::shared_ptr<AnyNodeProperty>>> CompositionLayer::propertiesAtKeypath(
    const AnimationKeypath& keypath) const {
    return propertiesMatching(*this, keypath);
}

std::optional<std::vector<std::shared_ptr<AnimatorNode>>> CompositionLayer::nodesAtKeypath(
    const AnimationKeypath& keypath) {
    auto self = std::dynamic_pointer_cast<CompositionLayer>(shared_from_this());
    return nodesMatching<AnimatorNode>(self, keypath);
}

std::map<std::string, std::shared_ptr<AnyNodeProperty>> CompositionLayer::nodePropertiesByKeypath() const {
    return propertyMap(*this);
}

}  // namespace lottie
