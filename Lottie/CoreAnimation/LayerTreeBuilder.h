#pragma once
// Builds the engine layers of a list of layer models into a container layer,
// once, when the root layer is created:
//
//   - one engine layer per model by type (solid, image, shape, precomposition, text; null and hidden layers
//     as transform layers; an unknown layer as none), each nested in one
//     transform layer per ancestor, the most distant outermost, which
//     consecutive layers of the same ancestors share;
//   - a layer with a track matte takes the model just before it in the list
//     as its matte: both go into a container whose mask holds the matte
//     ("add"), or the matte drawn with "xor" into an opaque layer ("invert");
//   - layers are added from the end of the list, so the first model is on top.
//
// Masks with an opacity or expansion this engine does not draw, parents that
// form a cycle, and layers past the limits of the context's LayerBuildBudget
// (their weight, how deep they nest) are compatibility issues in the layer's
// context: the automatic engine choice falls back, and an explicit
// choice of this engine says what it leaves out.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "Lottie/CoreAnimation/BaseCompositionLayer.h"
#include "Lottie/CoreAnimation/LayerContext.h"
#include "Lottie/Model/Layers/LayerModel.h"
#include "Platform/Compositor/Layer.h"

namespace lottie {

struct LayerTreeBuilder {
    using Models = std::vector<std::shared_ptr<const LayerModel>>;
    using IndexTable = std::map<std::int64_t, std::shared_ptr<const LayerModel>>;
    struct MattePair {
        std::shared_ptr<const LayerModel> layer;
        std::shared_ptr<const LayerModel> matte;
        MatteType type = MatteType::none;
    };

    static constexpr const char* maskOpacityMessage =
        "The Core Animation rendering engine does not support mask opacity";
    static constexpr const char* maskExpansionMessage =
        "The Core Animation rendering engine does not support mask expansion";
    static constexpr const char* maskNestingMessage =
        "This layer has more masks than the Core Animation rendering engine draws for one layer (16); the later "
        "ones are not drawn";
    static constexpr const char* lumaMatteMessage =
        "The Core Animation rendering engine does not support luma track mattes";

    // Throws CompatibilityTracker::Error in abort mode.
    static void buildChildLayers(platform::compositor::Layer& parent, const LayerContext& context,
                                 const Models& models);

    // The engine layer of one model, or none; throws as above.
    static std::shared_ptr<BaseCompositionLayer> buildEngineLayer(const LayerModel& model,
                                                                  const std::shared_ptr<const LayerModel>& shared,
                                                                  const LayerContext& context);
    // Each index to the last model of the list that has it.
    static IndexTable layerModelsByIndex(const Models& models);
    // From the end of the list: a matted layer takes the model before it as its matte.
    static std::vector<MattePair> pairLayersWithMattes(const Models& models);
};

}  // namespace lottie
