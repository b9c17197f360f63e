#pragma once
// The "opacity" of a layer of the Core Animation engine from a document opacity
// in percent (a layer's transform, a shape group's transform, a fill, a stroke
// or a gradient), overridable by a provider for "Opacity" whose 50 means 0.5.
// Called by the layer tree and the shape animations inside the root layer's
// display pass; keeps nothing.

#include "Lottie/CoreAnimation/LayerAnimationContext.h"
#include "Lottie/Values/KeyframeGroup.h"
#include "Lottie/Values/LottieVector1D.h"
#include "Platform/Compositor/Layer.h"

namespace lottie {

struct OpacityAnimation {
    // Throws what the provider path and the builder throw; adds nothing then.
    static void animateOpacity(platform::compositor::Layer& layer, const KeyframeGroup<LottieVector1D>& opacity,
                               const LayerAnimationContext& context);
};

}  // namespace lottie
