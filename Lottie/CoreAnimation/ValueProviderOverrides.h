#pragma once
// How a value provider replaces the keyframes of an overridable layer property
// of the Core Animation engine. The property's keypath is the layer's current
// keypath followed by its property name ("Layer 1.Transform.Opacity"); the most
// recently installed provider whose keypath matches it is read once:
//
//   single value      -> one keyframe            -> a basic animation holding it
//   keyframes         -> converted keyframes     -> runs, as the builder cuts them
//   no keyframes      -> no override (the document's keyframes play)
//   closure           -> a compatibility issue (it would run once per frame)
//
// A value the property's conversion cannot take is reported and the whole
// override is given up. While keypaths are being listed, every overridable
// property reports its keypath here. Used by the property animations inside
// the root layer's display pass; keeps nothing.

#include <memory>
#include <optional>
#include <vector>

#include "Lottie/CoreAnimation/LayerAnimationContext.h"
#include "Lottie/CoreAnimation/LayerPropertyDescriptor.h"
#include "Lottie/Values/Keyframe.h"
#include "Platform/Compositor/Animation.h"

namespace lottie {

struct ValueProviderOverrides {
    // The provider's keyframes converted for the property, or none. Throws
    // CompatibilityTracker::Error for a closure provider in abort mode.
    static std::optional<std::vector<Keyframe<platform::compositor::AnimatableValue>>> typedOverrideKeyframes(
        const OverridableProperty& property, const AnimationKeypath& keypath, const LayerAnimationContext& context);

    // The animation of the provider that overrides the property, not yet wrapped
    // in the play request's timing, or none. Throws as typedOverrideKeyframes
    // and as the builder's time computations do.
    static std::shared_ptr<platform::compositor::Animation> customizedPropertyAnimation(
        const LayerPropertyDescriptor& property, const LayerAnimationContext& context);
};

}  // namespace lottie
