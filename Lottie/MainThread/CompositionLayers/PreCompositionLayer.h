#pragma once
// A precomposition layer: the layers of a precomposition asset, on their own
// time line (shifted by the start frame and stretched, or remapped), inside a
// contents layer that clips to the layer's size. Owned like any composition
// layer; it owns its children.

#include <memory>
#include <vector>

#include "Lottie/MainThread/CompositionLayers/CompositionLayer.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/Model/Assets/PrecompAsset.h"
#include "Lottie/Model/Layers/PreCompLayerModel.h"

namespace lottie {

struct CompositionLayerContext;

class PreCompositionLayer final : public CompositionLayer {
public:
    PreCompositionLayer(const PreCompLayerModel& precomp, const PrecompAsset& asset, CompositionLayerContext& context);

    double frameRate() const { return frameRate_; }
    const std::vector<std::shared_ptr<CompositionLayer>>& animationLayers() const { return animationLayers_; }
    const std::shared_ptr<NodeProperty<LottieVector1D>>& remappingNode() const { return remappingNode_; }

    // The frame of the children's time line at a frame of this layer's.
    double localFrame(double frame);

    void showContentsAtFrame(double frame, bool forceUpdates) override;
    void applyRenderScale() override;
    Properties keypathProperties() const override;

private:
    // The stretch the children play at.
    double usableTimeStretch() const;

    double frameRate_;
    std::shared_ptr<NodeProperty<LottieVector1D>> remappingNode_;
    std::vector<std::shared_ptr<CompositionLayer>> animationLayers_;
};

}  // namespace lottie
