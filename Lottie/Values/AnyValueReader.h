#pragma once
// How the dictionary decoder reads one untyped JSON value as a keyframe value
// of type T: through T's own `static T fromAny(const Value&)`, or, for the
// gradient stops, through the array-of-doubles reader. Readers throw
// InitializableError.

#include <vector>

#include "Lottie/Model/DictionaryInitializable.h"
#include "Platform/Json/JsonValue.h"

namespace lottie {

template <class T>
struct AnyValueReader {
    static T read(const platform::json::Value& json) { return T::fromAny(json); }
};

template <>
struct AnyValueReader<std::vector<double>> {
    static std::vector<double> read(const platform::json::Value& json) { return doublesFromAny(json); }
};

}  // namespace lottie
