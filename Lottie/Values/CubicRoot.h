#pragma once
// Real roots in [0, 1] of the cubics and quadratics that keyframe easing
// solves: the parameter at which a unit timing curve reaches a given time.
// Both answer -1 when no root lies in [0, 1] (bounds included).

namespace lottie {

// A root of a·t³ + b·t² + c·t + d in [0, 1], or -1.
double cubicRootInUnitInterval(double a, double b, double c, double d);

// A root of a·t² + b·t + c in [0, 1], or -1.
double cubicRootQuadratic(double a, double b, double c);

}  // namespace lottie
