#pragma once
// The shape items of the feature matrix's documents: shapes, styles, modifiers
// and groups in the document's form, each with the properties the matrix
// varies as parameters and the rest at plain values.

#include "tests/EngineComparison/Support/AnimatedValue.h"
#include "tests/EngineComparison/Support/BezierShape.h"

namespace enginematrix {

// Shapes. Sizes and radii are animatable properties (see AnimatedValue.h).
Value rectangle(PathPoint centre, double width, double height, Value roundness);
Value ellipse(PathPoint centre, double width, double height);
// A five-pointed star, or a pentagon, with the given roundness of its points
// (and of the star's inner points).
Value star(PathPoint centre, double outerRadius, double innerRadius, Value roundness);
Value polygon(PathPoint centre, double radius, Value roundness);
Value path(Value shape);

// Styles; colours are red, green and blue in 0...1.
Value fill(Value colour, Value opacity);
Value stroke(Value colour, double width, Value opacity);

struct GradientLook {
    bool radial = false;
    // Stops of opacity below 1 besides the colour stops.
    bool opacityStops = false;
    // A radial gradient's focus moved off its centre.
    bool highlight = false;
};
// A gradient from `start` to `end` (the radius, when radial).
Value gradientFill(const GradientLook& look, PathPoint start, PathPoint end, Value opacity);
Value gradientStroke(const GradientLook& look, PathPoint start, PathPoint end, double width, Value opacity);

// Modifiers.
enum class TrimMode { simultaneously = 1, individually = 2 };
Value trim(Value start, Value end, double offset, TrimMode mode);
Value roundedCorners(Value radius);
Value repeater(double copies, PathPoint step, double startOpacity, double endOpacity);
Value merge(int mode);

// The item with its member `key` set to `value` (added when it has none), for
// the keys the functions above fix: a path item's direction ("d", 3 drawn the
// other way round), a fill's rule ("r"), a transform's parts.
Value withMember(Value item, const char* key, Value value);

// A group of items, drawn with the given transform (see groupTransform).
Value group(Array items, Value transform);
Value groupTransform(PathPoint position = {0, 0}, double rotation = 0, Value opacity = fixed(100.0));

}  // namespace enginematrix
