#pragma once
// The animatable properties of the feature matrix's documents: a value that
// holds still, or keyframes eased in and out between them. The document
// builder's pieces take these for every property a document may animate.

#include <vector>

#include "Platform/Json/JsonValue.h"

namespace enginematrix {

using platform::json::Array;
using platform::json::Object;
using platform::json::Value;

struct Keyframe {
    double frame;
    // A number, a list of numbers or a path; wrapped in a list as keyframes keep it.
    Value value;
};

// A property that holds `value` throughout.
Value fixed(Value value);
// A property that passes through the keyframes in order, eased at each.
Value animated(std::vector<Keyframe> keyframes);

// The easing of every curve between keyframes: the out tangent at the
// keyframe it leaves and the in tangent at the one it reaches (x is time, y
// progress, both 0...1).
struct Easing {
    double outX, outY, inX, inY;
};
// A point's path between keyframes: tangents relative to the points each
// curve leaves and reaches, of as many numbers as the point.
struct MotionTangents {
    Value out;
    Value in;
};
// Like `animated`, with the given easing, and along curves where `tangents` are given.
Value animated(std::vector<Keyframe> keyframes, Easing easing, const MotionTangents* tangents = nullptr);

// A list of numbers, for points, sizes and colours.
Value numbers(std::initializer_list<double> values);

}  // namespace enginematrix
