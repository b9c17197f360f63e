#pragma once
// The engine layer of a document layer that draws nothing of its own: a null
// layer, a hidden layer, and each ancestor a layer is nested in so that its
// parents' transforms apply. It installs its transform and nothing else, and
// the layers inside keep the keypath of the layer above it. Built by the layer
// tree builder; held by its superlayer.

#include "Lottie/CoreAnimation/BaseCompositionLayer.h"

namespace lottie {

class TransformLayer final : public BaseCompositionLayer {
public:
    using BaseCompositionLayer::BaseCompositionLayer;

    bool drawsOwnContents() const override { return false; }
};

}  // namespace lottie
