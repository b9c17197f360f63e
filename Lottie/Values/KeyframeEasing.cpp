#include "Lottie/Values/KeyframeEasing.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "Lottie/Values/CubicRoot.h"

namespace lottie {

namespace {

constexpr int bisectionSteps = 64;

double bezierX(double t, double control1X, double control2X) {
    double rest = 1 - t;
    return 3 * t * (rest * rest) * control1X + 3 * (t * t) * rest * control2X + t * t * t;
}

// The parameters found lately on this thread, by their question: the
// properties of a layer keyed together share their easing and their times,
// so a frame asks for the same parameter over and over, and the answer of a
// closed-form cubic (a cosine and an arc cosine) costs far more than looking.
struct RememberedParameter {
    std::uint64_t time = 0, control1X = 0, control2X = 0;
    double parameter = 0;
    bool known = false;
};
constexpr std::size_t rememberedParameters = 64;
thread_local std::array<RememberedParameter, rememberedParameters> remembered;

std::uint64_t bitsOf(double value) { return std::bit_cast<std::uint64_t>(value); }

}  // namespace

double KeyframeEasing::curveParameter(double time, double control1X, double control2X) {
    const std::uint64_t timeBits = bitsOf(time), control1Bits = bitsOf(control1X), control2Bits = bitsOf(control2X);
    const std::uint64_t mixed = (timeBits * 0x9e3779b97f4a7c15ull) ^ (control1Bits * 0xc2b2ae3d27d4eb4full) ^
                                (control2Bits * 0x165667b19e3779f9ull);
    RememberedParameter& slot = remembered[(mixed >> 58) % rememberedParameters];
    if (slot.known && slot.time == timeBits && slot.control1X == control1Bits && slot.control2X == control2Bits) {
        return slot.parameter;
    }
    const double parameter = solveCurveParameter(time, control1X, control2X);
    slot = {timeBits, control1Bits, control2Bits, parameter, true};
    return parameter;
}

double KeyframeEasing::solveCurveParameter(double time, double control1X, double control2X) {
    double a = 3 * control1X - 3 * control2X + 1;
    double b = -6 * control1X + 3 * control2X;
    double c = 3 * control1X;
    double root = cubicRootInUnitInterval(a, b, c, -time);
    if (root != -1) return root;
    // x(0) - time < 0 < x(1) - time, so a root lies in between whatever the
    // control points are.
    double low = 0;
    double high = 1;
    for (int step = 0; step < bisectionSteps; ++step) {
        double middle = (low + high) / 2;
        if (bezierX(middle, control1X, control2X) < time) {
            low = middle;
        } else {
            high = middle;
        }
    }
    return (low + high) / 2;
}

double KeyframeEasing::progress(double fromTime, bool fromIsHold, const std::optional<LottieVector2D>& outTangent,
                                double toTime, const std::optional<LottieVector2D>& inTangent, double frame) {
    if (fromTime >= frame) return 0;
    if (toTime <= frame) return 1;
    if (fromIsHold) return 0;
    LottieVector2D control1 = outTangent.value_or(LottieVector2D(0, 0));
    LottieVector2D control2 = inTangent.value_or(LottieVector2D(1, 1));
    double span = toTime - fromTime;
    double time = span != 0 ? (frame - fromTime) / span : 0;
    if (control1 == LottieVector2D(0, 0) && control2 == LottieVector2D(1, 1)) return time;

    double t;
    if (time == 0) {
        t = 0;
    } else if (time == 1) {
        t = 1;
    } else {
        t = curveParameter(time, control1.x, control2.x);
    }
    double rest = 1 - t;
    return 3 * t * (rest * rest) * control1.y + 3 * (t * t) * rest * control2.y + t * t * t;
}

}  // namespace lottie
