#include "tests/EngineComparison/Support/AnimatedValue.h"

namespace enginematrix {

namespace {

Value tangent(double x, double y) { return Object{{"x", numbers({x})}, {"y", numbers({y})}}; }

}  // namespace

Value fixed(Value value) { return Object{{"a", Value::integer(0)}, {"k", std::move(value)}}; }

Value animated(std::vector<Keyframe> keyframes) { return animated(std::move(keyframes), Easing{0.4, 0.4, 0.6, 0.6}); }

Value animated(std::vector<Keyframe> keyframes, Easing easing, const MotionTangents* tangents) {
    Array keys;
    for (std::size_t index = 0; index < keyframes.size(); ++index) {
        Value start = keyframes[index].value.isArray() ? std::move(keyframes[index].value)
                                                       : Value(Array{std::move(keyframes[index].value)});
        Object key{{"t", keyframes[index].frame}, {"s", std::move(start)}};
        // The last keyframe only ends the curve before it.
        if (index + 1 < keyframes.size()) {
            key.push_back({"i", tangent(easing.inX, easing.inY)});
            key.push_back({"o", tangent(easing.outX, easing.outY)});
            if (tangents) {
                key.push_back({"to", tangents->out});
                key.push_back({"ti", tangents->in});
            }
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
