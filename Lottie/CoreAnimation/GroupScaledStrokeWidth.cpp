#include "Lottie/CoreAnimation/GroupScaledStrokeWidth.h"

#include <charconv>
#include <cmath>

#include "Lottie/CoreAnimation/KeyframesCombined.h"

namespace lottie {

namespace {

// The shortest text that reads back as the same number, a whole number with ".0".
std::string numberText(double value) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, error == std::errc() ? end : buffer);
    if (std::isfinite(value) && text.find_first_of(".e") == std::string::npos) text += ".0";
    return text;
}

}  // namespace

std::string GroupScaledStrokeWidth::separateScaleMessage(double x, double y, const std::string& strokeName) {
    return "The Core Animation rendering engine doesn't support applying separate x/y scale values (x: " +
           numberText(x) + ", y: " + numberText(y) + ") to this stroke item (" + strokeName + ").";
}

KeyframeGroup<LottieVector1D> GroupScaledStrokeWidth::combined(const KeyframeGroup<LottieVector1D>& width,
                                                               const KeyframeGroup<LottieVector3D>& scale,
                                                               const std::string& strokeName,
                                                               const LayerContext& context) {
    return KeyframesCombined::combined(
        context.samplingAccount(), false,
        [&](const LottieVector1D& strokeWidth, const LottieVector3D& groupScale) {
            if (!(groupScale.x == groupScale.y)) {
                context.reportCompatibilityIssue(separateScaleMessage(groupScale.x, groupScale.y, strokeName));
            }
            const double factor = 100 / groupScale.x;
            return LottieVector1D(std::isfinite(factor) ? strokeWidth.value * factor : strokeWidth.value);
        },
        width, scale);
}

}  // namespace lottie
