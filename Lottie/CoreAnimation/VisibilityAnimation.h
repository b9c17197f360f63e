#pragma once
// Whether a layer of the Core Animation engine shows: hidden before its in
// frame, shown until its out frame, hidden after, as one discrete "hidden"
// animation over the whole animation:
//
//   values     hidden   shown     hidden
//   key times  0 ..... in ...... out ..... 1
//
// Both key times are kept within 0 to 1 and in order (an out frame before the
// in frame shows nothing), so in and out frames beyond the animation's range
// still give the right visibility at every frame. Under complex time remapping
// the three states go to the builder as holding keyframes instead, to be
// resampled; a layer whose out frame the remapping gives at the end frame
// shows there. Called by the layer tree inside the display pass; keeps nothing.

#include <array>

#include "Lottie/CoreAnimation/LayerAnimationContext.h"
#include "Platform/Compositor/Layer.h"

namespace lottie {

struct VisibilityAnimation {
    // Throws what the progress computation and the builder throw; adds nothing then.
    static void animateVisibility(platform::compositor::Layer& layer, double inFrame, double outFrame,
                                  const LayerAnimationContext& context);
    // The four key times of the simple form.
    static std::array<double, 4> keyTimes(double inFrame, double outFrame, const LayerAnimationContext& context);
};

}  // namespace lottie
