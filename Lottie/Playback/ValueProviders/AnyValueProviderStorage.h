#pragma once
// A value provider's storage with its value type erased: what the engines receive
// from any provider. Values travel as std::any holding the provider's value type
// (AnyValueProvider::valueType()); keyframes keep their times, hold flags and
// tangents and come with the closure that interpolates them.

#include <any>
#include <functional>
#include <utility>
#include <variant>
#include <vector>

#include "Lottie/Playback/ValueProviders/ValueProviderStorage.h"
#include "Lottie/Values/Keyframe.h"

namespace lottie {

class AnyValueProviderStorage {
public:
    struct SingleValue {
        std::any value;
    };
    struct Keyframes {
        std::vector<Keyframe<std::any>> keyframes;
        std::function<std::any(AnimationFrameTime)> interpolate;
    };
    struct Closure {
        std::function<std::any(AnimationFrameTime)> closure;
    };
    using Value = std::variant<SingleValue, Keyframes, Closure>;

    static AnyValueProviderStorage singleValue(std::any value) {
        return AnyValueProviderStorage(std::in_place_type<SingleValue>, SingleValue{std::move(value)});
    }
    static AnyValueProviderStorage keyframes(std::vector<Keyframe<std::any>> keyframes,
                                             std::function<std::any(AnimationFrameTime)> interpolate) {
        return AnyValueProviderStorage(std::in_place_type<Keyframes>,
                                       Keyframes{std::move(keyframes), std::move(interpolate)});
    }
    static AnyValueProviderStorage closure(std::function<std::any(AnimationFrameTime)> closure) {
        return AnyValueProviderStorage(std::in_place_type<Closure>, Closure{std::move(closure)});
    }

    // The typed storage, erased case by case.
    template <class T>
    static AnyValueProviderStorage erasing(const ValueProviderStorage<T>& storage) {
        using Typed = ValueProviderStorage<T>;
        if (const auto* single = std::get_if<typename Typed::SingleValue>(&storage.value())) {
            return singleValue(std::any(single->value));
        }
        if (const auto* closure = std::get_if<typename Typed::Closure>(&storage.value())) {
            return AnyValueProviderStorage::closure(
                [typed = closure->closure](AnimationFrameTime frame) { return std::any(typed(frame)); });
        }
        const auto& typedKeyframes = std::get<typename Typed::Keyframes>(storage.value()).keyframes;
        std::vector<Keyframe<std::any>> erased;
        erased.reserve(typedKeyframes.size());
        for (const Keyframe<T>& keyframe : typedKeyframes) {
            erased.push_back(keyframe.replacingValue(std::any(keyframe.value())));
        }
        return keyframes(std::move(erased),
                         [storage](AnimationFrameTime frame) { return std::any(storage.valueAtFrame(frame)); });
    }

    const Value& value() const { return value_; }

    // The value at a frame: the single value, the interpolated keyframes, or the
    // closure's result.
    std::any valueAtFrame(AnimationFrameTime frame) const {
        if (const auto* single = std::get_if<SingleValue>(&value_)) return single->value;
        if (const auto* closure = std::get_if<Closure>(&value_)) return closure->closure(frame);
        return std::get<Keyframes>(value_).interpolate(frame);
    }

private:
    // Built in place, as ValueProviderStorage is.
    template <class Case>
    AnyValueProviderStorage(std::in_place_type_t<Case> tag, Case value) : value_(tag, std::move(value)) {}

    Value value_;
};

}  // namespace lottie
