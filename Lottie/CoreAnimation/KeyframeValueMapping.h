#pragma once
// How the keyframe animation builder turns one keyframe value of the model into
// the value a compositor property takes, and how it names a keyframe value in a
// message. Each property animation supplies its own mapping (percent to
// fraction, degrees to radians, a colour, a path, ...); a mapping may throw,
// which ends the animation being built.

#include <functional>
#include <sstream>
#include <string>
#include <typeinfo>

#include "Platform/Compositor/AnimatableValue.h"

namespace lottie {

template <class T>
using KeyframeValueMapping = std::function<platform::compositor::AnimatableValue(const T&)>;

// The textual form of a keyframe value: its description() or what it streams
// as, else the name of its type.
template <class T>
std::string keyframeValueDescription(const T& value) {
    if constexpr (requires { value.description(); }) {
        return std::string(value.description());
    } else if constexpr (requires(std::ostream& stream) { stream << value; }) {
        std::ostringstream stream;
        stream << value;
        return stream.str();
    } else {
        return typeid(T).name();
    }
}

}  // namespace lottie
