#pragma once
// The road of one layer property of the Core Animation engine: a value provider
// that overrides it wins, else its own keyframes go through the keyframe
// animation builder; whatever comes back is wrapped in the play request's
// timing and added to the layer under the property's key path. Called by every
// property animation inside the root layer's display pass; keeps nothing.

#include "Lottie/CoreAnimation/AnimationTimingWrapper.h"
#include "Lottie/CoreAnimation/KeyframeAnimationBuilder.h"
#include "Lottie/CoreAnimation/ValueProviderOverrides.h"

namespace lottie {

struct PropertyAnimation {
    // An error (a compatibility issue in abort mode among them) adds nothing and reaches the caller.
    template <Interpolatable T>
    static void add(platform::compositor::Layer& layer, const LayerPropertyDescriptor& property,
                    const KeyframeGroup<T>& keyframes, const KeyframeValueMapping<T>& mapping,
                    const LayerAnimationContext& context) {
        if (context.derivesOnly) return;
        if (auto customized = ValueProviderOverrides::customizedPropertyAnimation(property, context)) {
            layer.addAnimation(AnimationTimingWrapper::wrappedInTimingGroup(customized, context, layer),
                               property.keyPath);
            return;
        }
        KeyframeAnimationBuilder::attach(property, keyframes, mapping, context, layer);
    }
};

}  // namespace lottie
