#include "Lottie/CoreAnimation/SamplingBudget.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "Lottie/Playback/Engine/LayerBuildWeight.h"

namespace lottie {

void SamplingBudget::charge(double bytes, const CompatibilityTrackerProviding& reporter) {
    if (!exceeded_ && deadline_ && deadline_->check(1)) {
        exceeded_ = true;
        late_ = true;
    }
    // A NaN charge counts as past every limit.
    if (!exceeded_ && spent_ + bytes <= limit_) {
        spent_ += bytes;
        return;
    }
    exceeded_ = true;
    const std::string message = late_ ? deadlineMessage(*deadline_) : exceededMessage(limit_);
    reporter.reportCompatibilityIssue(message);
    throw Exceeded(message);
}

void SamplingBudget::charge(double count, double bytesEach, const CompatibilityTrackerProviding& reporter) {
    if (count <= 0) return;
    // Compared as a quotient first: a count of 1e300 samples of 1e300 bytes
    // must not reach charge() as infinity minus something.
    if (!(count <= (limit_ - spent_) / std::max(bytesEach, 1.0))) {
        charge(std::numeric_limits<double>::infinity(), reporter);
    }
    charge(count * bytesEach, reporter);
}

std::string SamplingBudget::exceededMessage(double limit) {
    char megabytes[32];
    std::snprintf(megabytes, sizeof megabytes, "%.0f", limit / (1024 * 1024));
    return std::string("The animation's keyframes would take more than ") + megabytes +
           " MB once combined, sampled and resampled for the Core Animation rendering engine, so it is not set up "
           "on that engine.";
}

std::string SamplingBudget::deadlineMessage(const platform::graphics::ProcessorDeadline& deadline) {
    return LayerBuildWeight::setUpDeadlinePassed(deadline) +
           " while its keyframes were sampled for the Core Animation rendering engine, so it is not set up on that "
           "engine.";
}

double SamplingBudget::bytesOf(const platform::compositor::AnimatableValue& value) {
    double bytes = sizeof(value);
    if (const auto* path = value.get<platform::graphics::Path>()) bytes += bytesOf(*path) - sizeof(*path);
    if (const auto* numbers = value.get<std::vector<double>>()) bytes += bytesOf(*numbers) - sizeof(*numbers);
    if (const auto* colors = value.get<std::vector<platform::graphics::Color>>()) {
        bytes += bytesOf(*colors) - sizeof(*colors);
    }
    return bytes;
}

}  // namespace lottie
