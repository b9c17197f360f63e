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

// A list of numbers, for points, sizes and colours.
Value numbers(std::initializer_list<double> values);

}  // namespace enginematrix
