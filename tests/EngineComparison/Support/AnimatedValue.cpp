#include "tests/EngineComparison/Support/AnimatedValue.h"

namespace enginematrix {

namespace {

Value ease(double amount) { return Object{{"x", numbers({amount})}, {"y", numbers({amount})}}; }

}  // namespace

Value fixed(Value value) { return Object{{"a", Value::integer(0)}, {"k", std::move(value)}}; }

Value animated(std::vector<Keyframe> keyframes) {
    Array keys;
    for (std::size_t index = 0; index < keyframes.size(); ++index) {
        Value start = keyframes[index].value.isArray() ? std::move(keyframes[index].value)
                                                       : Value(Array{std::move(keyframes[index].value)});
        Object key{{"t", keyframes[index].frame}, {"s", std::move(start)}};
        // The last keyframe only ends the curve before it.
        if (index + 1 < keyframes.size()) {
            key.push_back({"i", ease(0.6)});
            key.push_back({"o", ease(0.4)});
        }
        keys.push_back(std::move(key));
    }
    return Object{{"a", Value::integer(1)}, {"k", std::move(keys)}};
}

Value numbers(std::initializer_list<double> values) {
    Array list;
    for (double value : values) list.push_back(value);
    return list;
}

}  // namespace enginematrix
