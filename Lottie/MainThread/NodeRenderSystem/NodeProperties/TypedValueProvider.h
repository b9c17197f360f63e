#pragma once
// A value provider that can hand out its value without boxing it: the engine's
// own providers (keyframe interpolators, fixed values, groups of interpolators)
// implement it so that node properties read them directly every frame, while a
// caller's provider is read through its erased storage. Shared like any provider.

#include "Lottie/Playback/ValueProviders/AnyValueProvider.h"

namespace lottie {

template <class T>
class TypedValueProvider : public ValueProvider<T> {
public:
    // The value at a frame; may update the provider's own per-frame cache.
    virtual T valueAt(AnimationFrameTime frame) = 0;
};

}  // namespace lottie
