#pragma once
// A document layer's drop shadow (from a drop-shadow effect or style) as the
// four shadow properties of the layer that shows it: "shadowOpacity" (percent
// to a fraction), "shadowColor", "shadowRadius" and "shadowOffset", the offset
// made of the angle and distance (width d cos a, height d sin a), sampled when
// the angle turns. The shadow is measured in the space the layer lies in,
// outside its own transform, so callers animate it on a layer above the one
// that carries the transform. A component
// the model lacks is not animated. Never overridden by a value provider. Called
// by the layer tree inside the display pass; keeps nothing.

#include "Lottie/CoreAnimation/LayerAnimationContext.h"
#include "Lottie/Model/Protocols/DropShadowModel.h"
#include "Platform/Compositor/Layer.h"

namespace lottie {

struct DropShadowAnimation {
    // The four in order; the first error ends it and reaches the caller.
    static void animateDropShadow(platform::compositor::Layer& layer, const DropShadowModel& shadow,
                                  const LayerAnimationContext& context);

    static void animateShadowOpacity(platform::compositor::Layer& layer, const DropShadowModel& shadow,
                                     const LayerAnimationContext& context);
    static void animateShadowColor(platform::compositor::Layer& layer, const DropShadowModel& shadow,
                                   const LayerAnimationContext& context);
    static void animateShadowRadius(platform::compositor::Layer& layer, const DropShadowModel& shadow,
                                    const LayerAnimationContext& context);
    static void animateShadowOffset(platform::compositor::Layer& layer, const DropShadowModel& shadow,
                                    const LayerAnimationContext& context);
};

}  // namespace lottie
