#pragma once
// A layer that shows nothing: null layers, hidden layers, and layers whose
// contents cannot be built (a missing asset, a type this engine does not show).
// It still takes part in parenting, matte pairing and keypaths, but builds no
// masks: a layer left out past the build limits would otherwise still clip to
// each of its masks every frame, around nothing. Owned like any composition
// layer.

#include "Lottie/MainThread/CompositionLayers/CompositionLayer.h"

namespace lottie {

class NullCompositionLayer final : public CompositionLayer {
public:
    explicit NullCompositionLayer(const LayerModel& layer) : CompositionLayer(layer, {0, 0}, false) {}
};

}  // namespace lottie
