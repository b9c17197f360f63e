#include "Platform/Compositor/TimingFunction.h"

#include <algorithm>
#include <cmath>

namespace platform::compositor {

namespace {

// One coordinate of the cubic Bezier from 0 to 1 with inner control values c1, c2.
double bezier(double t, double c1, double c2) {
    const double u = 1 - t;
    return 3 * u * u * t * c1 + 3 * u * t * t * c2 + t * t * t;
}

double bezierSlope(double t, double c1, double c2) {
    const double u = 1 - t;
    return 3 * u * u * c1 + 6 * u * t * (c2 - c1) + 3 * t * t * (1 - c2);
}

}  // namespace

TimingFunction TimingFunction::named(Name name) {
    switch (name) {
        case Name::linear:
            return {0.0f, 0.0f, 1.0f, 1.0f};
        case Name::easeIn:
            return {0.42f, 0.0f, 1.0f, 1.0f};
        case Name::easeOut:
            return {0.0f, 0.0f, 0.58f, 1.0f};
        case Name::easeInEaseOut:
            return {0.42f, 0.0f, 0.58f, 1.0f};
        case Name::systemDefault:
            return {0.25f, 0.1f, 0.25f, 1.0f};
    }
    return {};
}

bool TimingFunction::isLinear() const {
    // Any curve whose control points lie on the diagonal is the identity.
    return points_[0] == points_[1] && points_[2] == points_[3];
}

double TimingFunction::evaluate(double fraction) const {
    if (std::isnan(fraction)) {
        return 0;
    }
    const double x = std::clamp(fraction, 0.0, 1.0);
    if (isLinear() || x == 0 || x == 1) {
        return x;
    }
    const double x1 = std::clamp(static_cast<double>(points_[0]), 0.0, 1.0);
    const double y1 = points_[1];
    const double x2 = std::clamp(static_cast<double>(points_[2]), 0.0, 1.0);
    const double y2 = points_[3];

    // Newton's method from the fraction itself, then bisection if it wanders off:
    // x(t) is monotonic on [0, 1] once the control x values are in [0, 1].
    double t = x;
    for (int i = 0; i < 8; ++i) {
        const double error = bezier(t, x1, x2) - x;
        if (std::fabs(error) < 1e-12) {
            return bezier(t, y1, y2);
        }
        const double slope = bezierSlope(t, x1, x2);
        if (std::fabs(slope) < 1e-9) {
            break;
        }
        t -= error / slope;
        if (t < 0 || t > 1) {
            break;
        }
    }
    double low = 0;
    double high = 1;
    t = x;
    for (int i = 0; i < 64; ++i) {
        const double value = bezier(t, x1, x2);
        if (std::fabs(value - x) < 1e-12) {
            break;
        }
        if (value < x) {
            low = t;
        } else {
            high = t;
        }
        t = (low + high) / 2;
    }
    return bezier(t, y1, y2);
}

}  // namespace platform::compositor
