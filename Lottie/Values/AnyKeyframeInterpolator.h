#pragma once
// A keyframe interpolator seen without its value type: what code that handles
// keyframe groups of any type (keypath lookups, value providers, the
// animation builder) needs of one. Owned by whoever asked for it.

#include <any>
#include <typeindex>

namespace lottie {

class AnyKeyframeInterpolator {
public:
    virtual ~AnyKeyframeInterpolator() = default;

    // The type of the values the interpolator computes.
    virtual std::type_index valueType() const = 0;
    // Whether a value computed at `frame` could differ from the last one computed.
    virtual bool hasUpdate(double frame) const = 0;
    // The value at `frame`, boxed.
    virtual std::any anyValue(double frame) = 0;
};

}  // namespace lottie
