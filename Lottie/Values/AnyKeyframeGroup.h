#pragma once
// Every keyframe group of an interpolatable value type, seen without its
// value type: the same keyframes with boxed values, and a fresh interpolator
// over its own typed keyframes. Groups are shared, immutable objects.

#include <any>
#include <memory>

#include "Lottie/Values/AnyKeyframeInterpolator.h"

namespace lottie {

template <class T>
class KeyframeGroup;

class AnyKeyframeGroup {
public:
    virtual ~AnyKeyframeGroup() = default;

    // The group with each value boxed; times, hold flags, tangents and the
    // expression kept.
    virtual std::shared_ptr<const KeyframeGroup<std::any>> untyped() const = 0;
    // A new interpolator over the group's keyframes, at every call.
    virtual std::shared_ptr<AnyKeyframeInterpolator> interpolator() const = 0;

protected:
    AnyKeyframeGroup() = default;
    AnyKeyframeGroup(const AnyKeyframeGroup&) = default;
    AnyKeyframeGroup(AnyKeyframeGroup&&) = default;
    AnyKeyframeGroup& operator=(const AnyKeyframeGroup&) = default;
    AnyKeyframeGroup& operator=(AnyKeyframeGroup&&) = default;
};

}  // namespace lottie
