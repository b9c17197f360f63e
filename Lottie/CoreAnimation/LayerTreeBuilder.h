#pragma once
// Builds the engine layers of a list of layer models into a parent layer, once,
// when the root layer is created. Until the engine has a layer class for each
// layer type, a model it cannot build yet is reported as a compatibility issue
// in that layer's context, so the automatic engine choice falls back and an
// explicit choice of this engine says what it leaves out.

#include <memory>
#include <vector>

#include "Lottie/CoreAnimation/LayerContext.h"
#include "Lottie/Model/Layers/LayerModel.h"
#include "Platform/Compositor/Layer.h"

namespace lottie {

struct LayerTreeBuilder {
    // Throws CompatibilityTracker::Error in abort mode.
    static void buildChildLayers(platform::compositor::Layer& parent, const LayerContext& context,
                                 const std::vector<std::shared_ptr<const LayerModel>>& models);
};

}  // namespace lottie
