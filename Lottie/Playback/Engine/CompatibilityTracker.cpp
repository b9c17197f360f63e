#include "Lottie/Playback/Engine/CompatibilityTracker.h"

namespace lottie {

CompatibilityTracker::Error::Error(CompatibilityIssue issue)
    : issue_(std::move(issue)), message_("encountered a compatibility issue: " + issue_.description()) {}

void CompatibilityTracker::report(CompatibilityIssue issue) {
    if (mode_ == Mode::abort) throw Error(std::move(issue));
    issues_.push_back(std::move(issue));
}

}  // namespace lottie
