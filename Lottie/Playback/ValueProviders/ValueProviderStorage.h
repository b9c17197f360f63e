#pragma once
// Where a value provider's value comes from, for one value type: one fixed value,
// keyframes to interpolate, or a closure of the frame. A value owned by whoever
// asked the provider for it; the engines read it on the main thread.

#include <functional>
#include <utility>
#include <variant>
#include <vector>

#include "Lottie/Values/Keyframe.h"
#include "Lottie/Values/KeyframeInterpolator.h"

namespace lottie {

// A frame of the animation, as value providers receive it.
using AnimationFrameTime = double;

template <class T>
class ValueProviderStorage {
public:
    struct SingleValue {
        T value;
    };
    struct Keyframes {
        std::vector<Keyframe<T>> keyframes;
    };
    struct Closure {
        std::function<T(AnimationFrameTime)> closure;
    };
    using Value = std::variant<SingleValue, Keyframes, Closure>;

    static ValueProviderStorage singleValue(T value) {
        return ValueProviderStorage(std::in_place_type<SingleValue>, SingleValue{std::move(value)});
    }
    static ValueProviderStorage keyframes(std::vector<Keyframe<T>> keyframes) {
        return ValueProviderStorage(std::in_place_type<Keyframes>, Keyframes{std::move(keyframes)});
    }
    static ValueProviderStorage closure(std::function<T(AnimationFrameTime)> closure) {
        return ValueProviderStorage(std::in_place_type<Closure>, Closure{std::move(closure)});
    }

    const Value& value() const { return value_; }

    // The value at a frame. Keyframes get a new interpolator for every evaluation, so
    // a storage holds no per-frame state; no keyframes at all give T's default.
    T valueAtFrame(AnimationFrameTime frame) const {
        if (const auto* single = std::get_if<SingleValue>(&value_)) return single->value;
        if (const auto* closure = std::get_if<Closure>(&value_)) return closure->closure(frame);
        KeyframeInterpolator<T> interpolator(std::get<Keyframes>(value_).keyframes);
        return interpolator.value(frame);
    }

private:
    // Built in place: moving a whole variant in trips a false uninitialised-use
    // warning of the compiler under the sanitizers.
    template <class Case>
    ValueProviderStorage(std::in_place_type_t<Case> tag, Case value) : value_(tag, std::move(value)) {}

    Value value_;
};

}  // namespace lottie
