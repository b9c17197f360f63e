#pragma once
// Builds the composition layers of a list of layer models (the document's, or a
// precomposition's), links their transforms by parent index, and stacks them into
// a container with their track mattes paired. Used by the root layer and by
// precomposition layers; stateless apart from the context passed along.

#include <memory>
#include <string>
#include <vector>

#include "Lottie/MainThread/CompositionLayers/ComposedTimeline.h"
#include "Lottie/MainThread/CompositionLayers/CompositionLayer.h"
#include "Lottie/Model/Assets/AssetLibrary.h"
#include "Lottie/Playback/Engine/LayerBuildWeight.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Platform/Graphics/ProcessorDeadline.h"
#include "Platform/Graphics/Rect.h"
#include "Platform/Text/TextLayoutCache.h"

namespace lottie {

// What every layer of one animation is built with.
struct CompositionLayerContext {
    std::shared_ptr<const AssetLibrary> assetLibrary;
    double frameRate = 0;
    // The precompositions being built, outermost first: an asset that refers
    // back to one of them would nest forever and is shown as nothing instead.
    std::vector<std::string> precompositionsInProgress;
    // Where the frames of the layers being built fall on the time line drawn:
    // a precomposition sets its children's while it builds them.
    ComposedTimeline timeline;
    // The weight of the layers built so far (each layer one, each mask one
    // more, and more for the path vertices of its masks and shapes and the text
    // a layer holds), kept within
    // the limits both engines share (LayerBuildWeight).
    std::size_t layerWeight = 0;
    // The font sizes the layers built so far weighed (LayerBuildWeight::of).
    LayerBuildWeight::FontSizes fontSizes;
    // The layouts of the animation's texts, shared by its text layers.
    std::shared_ptr<platform::text::TextLayoutCache> textLayouts;
    // The set-up's deadline in processor time (LayerBuildWeight::
    // setUpDeadlineSeconds): past it every further layer is built as nothing.
    std::shared_ptr<platform::graphics::ProcessorDeadline> setUpDeadline;
    // Where what these limits leave out is reported, once per limit.
    std::shared_ptr<LottieLogger> logger;
    bool deadlineReported = false;
    bool depthLimitReported = false;
    bool layerLimitReported = false;
    bool maskCutsReported = false;
};

class CompositionLayerFactory {
public:
    CompositionLayerFactory() = delete;

    // One layer per model, in model order, with parents linked.
    static std::vector<std::shared_ptr<CompositionLayer>> makeCompositionLayers(
        const std::vector<std::shared_ptr<const LayerModel>>& models, CompositionLayerContext& context);

    // Visits the layers bottom-most (last) first: each gets `bounds` and joins
    // `stacked`; a layer marked for a matte waits for the next one, which becomes
    // its matte and is not added to `container`; every other layer is added.
    static void stack(const std::vector<std::shared_ptr<CompositionLayer>>& layers,
                      platform::compositor::Layer& container, const platform::graphics::Rect& bounds,
                      std::vector<std::shared_ptr<CompositionLayer>>& stacked);

    // Links each parented layer's transform node to its parent's, unless that
    // would make a layer its own ancestor.
    static void linkParents(const std::vector<std::shared_ptr<const LayerModel>>& models,
                            const std::vector<std::shared_ptr<CompositionLayer>>& layers);

private:
    // The layer, and the report of the masks it leaves out.
    static std::shared_ptr<CompositionLayer> makeLayer(const LayerModel& model, CompositionLayerContext& context);
    static std::shared_ptr<CompositionLayer> makeLayerOfType(const LayerModel& model, CompositionLayerContext& context);
};

}  // namespace lottie
