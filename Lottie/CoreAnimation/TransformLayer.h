#pragma once
// The engine layer of a document layer that draws nothing of its own: a null
// layer, a hidden layer, and each ancestor a layer is nested in so that its
// parents' transforms apply. It installs its transform and nothing else, and
// the layers inside keep the keypath of the layer above it. Without a blend
// mode, and unless it may be handed the drop shadow of a layer inside it (which
// lies outside its transform), it is its own contents layer: the transform
// goes on it and the layers inside are its sublayers. Built by the layer tree
// builder; held by its superlayer.

#include "Lottie/CoreAnimation/BaseCompositionLayer.h"
#include "Lottie/Values/ColorConversions.h"

namespace lottie {

class TransformLayer final : public BaseCompositionLayer {
public:
    explicit TransformLayer(std::shared_ptr<const LayerModel> model, bool mayTakeDropShadow = false)
        : BaseCompositionLayer(model, mayTakeDropShadow || blendModeFilterName(model->blendMode).has_value()) {}

    bool drawsOwnContents() const override { return false; }
};

}  // namespace lottie
