#pragma once
// The layout animations of a view's rendering layer: when the animation layer
// is itself being animated (the host resizes the view inside an animation), the
// new position and transform follow that animation's timing instead of jumping,
// under the keys "LayoutPositionAnimation" and "LayoutTransformAnimation".
// Stateless; used by LottieAnimationView's layout pass.

#include "Lottie/Views/ContentModeFit.h"
#include "Platform/Compositor/Layer.h"

namespace lottie {

class LayoutAnimations {
public:
    LayoutAnimations() = delete;

    static constexpr const char* positionKey = "LayoutPositionAnimation";
    static constexpr const char* transformKey = "LayoutTransformAnimation";

    // Applies the fit to `rendering` as two animations timed like the first
    // animation attached to `animationLayer`. False, changing nothing, when that
    // layer carries no animation.
    static bool follow(const platform::compositor::Layer& animationLayer, platform::compositor::Layer& rendering,
                       const ContentModeFit& fit);
};

}  // namespace lottie
