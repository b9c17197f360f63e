#pragma once
// The masks of one composition layer combined into one layer whose alpha is
// the mask of the layer's contents: masks that add are united in one
// container, and each mask that cuts (subtract, intersect and the like)
// becomes the mask of everything built before it. Made by the composition
// layer, which owns it (as its contents layer's mask) and updates its mask
// layers every visible frame.

#include <memory>
#include <vector>

#include "Lottie/MainThread/LayerContainers/MaskLayer.h"

namespace lottie {

class MaskContainerLayer final : public platform::compositor::Layer {
public:
    // Made through make(), which builds the tree of mask layers.
    static std::shared_ptr<MaskContainerLayer> make(const std::vector<std::shared_ptr<const Mask>>& masks);
    MaskContainerLayer();

    // The most masks after the first that cut what the earlier ones built.
    static constexpr std::size_t maximumCuts = 64;

    const std::vector<std::shared_ptr<MaskLayer>>& maskLayers() const { return maskLayers_; }
    // How many cutting masks past maximumCuts are not drawn; the layer's
    // builder reports them.
    std::size_t cutsLeftOut() const { return cutsLeftOut_; }

    void updateWithFrame(double frame, bool forceUpdates);

private:
    std::vector<std::shared_ptr<MaskLayer>> maskLayers_;
    std::size_t cutsLeftOut_ = 0;
};

}  // namespace lottie
