#pragma once
// One layer of the document in the main-thread engine. This base class carries
// what every layer type shares: the layer transform (with parenting), visibility
// between the in and out frames, the track matte, the blend mode and the keypath
// identity; subclasses show the contents of one layer type inside contentsLayer.
// The root layer (or a precomposition) creates them once and pushes every
// displayed frame into them with showFrame(). Owned by the root layer or the
// precomposition that made it. Main thread only.
//
// Masks are the contents layer's mask and are updated while the layer is
// visible; the drop shadow (the only layer effect shown) is set on the layer
// itself every frame; an inverted matte holds its source and is drawn from it
// as the frame is rendered.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/MainThread/CompositionLayers/ComposedTimeline.h"
#include "Lottie/MainThread/CompositionLayers/LayerTransformNode.h"
#include "Lottie/MainThread/LayerContainers/CompositionLayerDelegate.h"
#include "Lottie/MainThread/LayerContainers/MaskContainerLayer.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/LayerEffectNodes/LayerEffectNode.h"
#include "Lottie/Model/Layers/LayerModel.h"
#include "Lottie/Playback/Keypaths/AnimationKeypath.h"
#include "Lottie/Playback/Keypaths/KeypathSearchable.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Graphics/Size.h"

namespace lottie {

class CompositionLayer : public platform::compositor::Layer, public KeypathSearchable {
public:
    // Layers join a tree only once a shared pointer holds them, so every
    // composition layer is made through make(), which installs the contents layer.
    template <class LayerClass, class... Arguments>
    static std::shared_ptr<LayerClass> make(Arguments&&... arguments) {
        auto layer = std::make_shared<LayerClass>(std::forward<Arguments>(arguments)...);
        layer->installContentsLayer();
        return layer;
    }

    // `masked`: whether the layer's masks are built; a layer that draws
    // nothing has nothing for them to clip. `contents`: the contents layer, of
    // the kind the subclass draws with (a plain layer when null).
    CompositionLayer(const LayerModel& layer, platform::graphics::Size size, bool masked = true,
                     std::shared_ptr<platform::compositor::Layer> contents = nullptr);

    const std::shared_ptr<LayerTransformNode>& transformNode() const { return transformNode_; }
    const std::shared_ptr<platform::compositor::Layer>& contentsLayer() const { return contentsLayer_; }
    const std::optional<MatteType>& matteType() const { return matteType_; }
    double inFrame() const { return inFrame_; }
    double outFrame() const { return outFrame_; }
    double startFrame() const { return startFrame_; }
    double timeStretch() const { return timeStretch_; }

    // Brings the layer to a frame: its transform always, its contents while visible.
    // `animationEnd` tells that the frame is the animation's last one (see isShownAt()).
    void showFrame(double frame, bool forceUpdates, bool animationEnd = false);
    // Whether the layer shows at a frame of its time line: from its in frame up to,
    // not including, its out frame, at which the document says it stops being
    // visible, so that two layers that hand over at a frame never show together.
    // The animation's last frame, which a finished animation keeps showing, also
    // shows the layers that last until it. A frame within rounding of an edge on
    // the composed time line counts as on it (ComposedTimeline), as the
    // compositor snaps its key times, so both engines hand over on the same
    // frame under stretched and nested precompositions too.
    bool isShownAt(double frame, bool animationEnd) const;
    // Where this layer's frames fall on the time line being drawn; the identity
    // until the layer factory places the layer.
    const ComposedTimeline& timeline() const { return timeline_; }
    void setTimeline(const ComposedTimeline& timeline) { timeline_ = timeline; }
    // The contents of the layer type at a frame; nothing in the base class.
    virtual void showContentsAtFrame(double, bool) {}

    double renderScale() const { return renderScale_; }
    void setRenderScale(double scale) { renderScale_ = scale; }
    virtual void applyRenderScale() { setContentsScale(renderScale_); }

    // The layer whose alpha shows this one; set by the stacking walk.
    const std::shared_ptr<CompositionLayer>& matteLayer() const { return matteLayer_; }
    void setMatteLayer(std::shared_ptr<CompositionLayer> matte);

    // The masks other than those of mode none, combined; null without any.
    const std::shared_ptr<MaskContainerLayer>& maskLayer() const { return maskLayer_; }
    const std::vector<std::shared_ptr<LayerEffectNode>>& layerEffectNodes() const { return layerEffectNodes_; }
    // Told after every frame this layer shows.
    std::shared_ptr<CompositionLayerDelegate> layerDelegate() const { return layerDelegate_.lock(); }
    void setLayerDelegate(std::weak_ptr<CompositionLayerDelegate> delegate) { layerDelegate_ = std::move(delegate); }

    // The layer's name, as the document gives it.
    std::string keypathName() const override { return name(); }
    Properties keypathProperties() const override { return {}; }
    Children childKeypaths() const override { return childKeypaths_; }
    std::shared_ptr<platform::compositor::Layer> searchRootLayer() const override { return contentsLayer_; }

    std::vector<std::string> keypathList(const std::vector<std::string>& prefix = {}) const;
    std::optional<std::vector<std::shared_ptr<AnyNodeProperty>>> propertiesAtKeypath(
        const AnimationKeypath& keypath) const;
    std::optional<std::vector<std::shared_ptr<AnimatorNode>>> nodesAtKeypath(const AnimationKeypath& keypath);
    std::map<std::string, std::shared_ptr<AnyNodeProperty>> nodePropertiesByKeypath() const;

protected:
    // Whether the frame being shown is the animation's last one; a precomposition
    // hands it on to its layers.
    bool showingAnimationEnd() const { return showingAnimationEnd_; }
    void appendChildKeypath(std::shared_ptr<KeypathSearchable> child) { childKeypaths_.push_back(std::move(child)); }

private:
    void installContentsLayer() { addSublayer(contentsLayer_); }
    // Installs the matte: the matte layer's alpha masks this layer.
    void setupMatte();

    std::shared_ptr<LayerTransformNode> transformNode_;
    std::shared_ptr<platform::compositor::Layer> contentsLayer_;
    std::optional<MatteType> matteType_;
    double inFrame_;
    double outFrame_;
    double startFrame_;
    double timeStretch_;
    ComposedTimeline timeline_;
    bool showingAnimationEnd_ = false;
    // A forced pass reached the layer while it was hidden: the contents are
    // forced when they next show.
    bool contentsOweForcedUpdate_ = false;
    Children childKeypaths_;
    double renderScale_ = 1;
    std::shared_ptr<CompositionLayer> matteLayer_;
    std::shared_ptr<MaskContainerLayer> maskLayer_;
    std::vector<std::shared_ptr<LayerEffectNode>> layerEffectNodes_;
    std::weak_ptr<CompositionLayerDelegate> layerDelegate_;
};

}  // namespace lottie
