#include "Lottie/CoreAnimation/LayerTreeBuilder.h"

namespace lottie {

void LayerTreeBuilder::buildChildLayers(platform::compositor::Layer& /*parent*/, const LayerContext& context,
                                        const std::vector<std::shared_ptr<const LayerModel>>& models) {
    // Walked from the last model to the first: layers are added bottom first.
    for (auto model = models.rbegin(); model != models.rend(); ++model) {
        if (!*model) continue;
        context.forLayerNamed((*model)->name)
            .reportCompatibilityIssue("The Core Animation rendering engine does not draw this layer type yet");
    }
}

}  // namespace lottie
