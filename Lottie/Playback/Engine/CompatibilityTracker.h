#pragma once
// Collects the compatibility issues the Core Animation engine meets while it
// builds its layers. In `abort` mode the first issue ends the set-up by throwing
// CompatibilityTracker::Error (the automatic engine choice then falls back to
// the main-thread engine at once); in `track` mode every issue is kept and
// reported once the set-up is done. Made by the animation layer for each
// Core Animation root layer it builds, and shared with that layer. Main thread only.

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "Lottie/Playback/Engine/CompatibilityIssue.h"
#include "Lottie/Playback/LottieLogger.h"

namespace lottie {

class CompatibilityTracker {
public:
    enum class Mode { abort, track };

    // Thrown in `abort` mode by the first issue met.
    class Error : public std::exception {
    public:
        explicit Error(CompatibilityIssue issue);
        const CompatibilityIssue& issue() const { return issue_; }
        const char* what() const noexcept override { return message_.c_str(); }

    private:
        CompatibilityIssue issue_;
        std::string message_;
    };

    CompatibilityTracker(Mode mode, std::shared_ptr<LottieLogger> logger) : mode_(mode), logger_(std::move(logger)) {}

    Mode mode() const { return mode_; }
    const std::shared_ptr<LottieLogger>& logger() const { return logger_; }
    const std::vector<CompatibilityIssue>& issues() const { return issues_; }

    // Records an issue; in `abort` mode throws Error instead. Line breaks in the
    // message become blanks; an empty context is reported through the logger's
    // assert handler, and the issue is handled all the same.
    void report(CompatibilityIssue issue);
    // Called by the root layer once it has handed the issues of a set-up on.
    void clearIssues();

private:
    Mode mode_;
    std::shared_ptr<LottieLogger> logger_;
    std::vector<CompatibilityIssue> issues_;
};

}  // namespace lottie
