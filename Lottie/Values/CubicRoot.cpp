#include "Lottie/Values/CubicRoot.h"

#include <cmath>

namespace lottie {

namespace {

// The constants are spelled out as doubles so that every build computes the
// same roots bit for bit.
constexpr double oneThird = 0.3333333333333333;
constexpr double twoPi = 6.283185307179586;
constexpr double fourPi = 12.566370614359172;

double signedCubeRoot(double x) { return x >= 0 ? std::pow(x, oneThird) : -std::pow(-x, oneThird); }

bool inUnitInterval(double value) { return value >= 0 && value <= 1; }

}  // namespace

double cubicRootQuadratic(double a, double b, double c) {
    double root = std::sqrt(b * b - 4 * a * c);
    // A negative discriminant or a = 0 gives not-a-number or infinite
    // candidates, which fail the range test.
    double first = (root - b) / (2 * a);
    if (inUnitInterval(first)) return first;
    double second = (-b - root) / (2 * a);
    if (inUnitInterval(second)) return second;
    return -1;
}

double cubicRootInUnitInterval(double a, double b, double c, double d) {
    if (a == 0) return cubicRootQuadratic(b, c, d);
    if (d == 0) return 0;

    double bb = b / a;
    double cc = c / a;
    double dd = d / a;
    double q = (3 * cc - bb * bb) / 9;
    double r = (bb * (9 * cc - 2 * bb * bb) - 27 * dd) / 54;
    double discriminant = q * q * q + r * r;
    double shift = bb / 3;

    if (discriminant > 0) {
        double s = signedCubeRoot(r + std::sqrt(discriminant));
        double t = signedCubeRoot(r - std::sqrt(discriminant));
        double root = s - shift + t;
        return inUnitInterval(root) ? root : -1;
    }
    if (discriminant == 0) {
        double u = signedCubeRoot(r);
        if (inUnitInterval(2 * u - shift)) return 2 * u - shift;
        if (-1 <= shift + u && shift + u <= 0) return -(shift + u);
        return -1;
    }
    double theta = std::acos(r / std::sqrt(-(q * q * q)));
    double m = 2 * std::sqrt(-q);
    double root = m * std::cos(theta / 3) - shift;
    if (inUnitInterval(root)) return root;
    root = m * std::cos((theta + twoPi) / 3) - shift;
    if (inUnitInterval(root)) return root;
    root = m * std::cos((theta + fourPi) / 3) - shift;
    if (inUnitInterval(root)) return root;
    return -1;
}

}  // namespace lottie
