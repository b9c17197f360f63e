#include "Lottie/Playback/Engine/CompatibilityTracker.h"

#include <algorithm>

namespace lottie {

namespace {

constexpr const char* sourceFile = "Lottie/CompatibilityTracker";

}  // namespace

CompatibilityTracker::Error::Error(CompatibilityIssue issue)
    : issue_(std::move(issue)), message_("encountered a compatibility issue: " + issue_.description()) {}

void CompatibilityTracker::report(CompatibilityIssue issue) {
    if (logger_) {
        logger_->assert_([empty = issue.context.empty()] { return !empty; },
                         [] { return std::string("Compatibility issue context is unexpectedly empty"); }, sourceFile,
                         __LINE__);
    }
    // Reports are printed one per line, so a message keeps to one line.
    std::replace(issue.message.begin(), issue.message.end(), '\n', ' ');
    if (mode_ == Mode::abort) throw Error(std::move(issue));
    issues_.push_back(std::move(issue));
}

void CompatibilityTracker::clearIssues() { issues_.clear(); }

}  // namespace lottie
