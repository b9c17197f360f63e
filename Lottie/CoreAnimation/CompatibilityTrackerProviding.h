#pragma once
// Something that can report a compatibility issue: it knows the root layer's
// tracker and where in the animation it stands (the context printed in square
// brackets). The two contexts of the Core Animation engine are the providers.

#include <memory>
#include <string>

#include "Lottie/Playback/Engine/CompatibilityTracker.h"

namespace lottie {

class CompatibilityTrackerProviding {
public:
    virtual ~CompatibilityTrackerProviding() = default;

    virtual const std::shared_ptr<CompatibilityTracker>& compatibilityTracker() const = 0;
    virtual std::string compatibilityIssueContext() const = 0;

    // The only way the engine says that it cannot render something: throws
    // CompatibilityTracker::Error in abort mode, records the issue in track mode.
    void reportCompatibilityIssue(std::string message) const {
        if (const auto& tracker = compatibilityTracker()) tracker->report({std::move(message), compatibilityIssueContext()});
    }

protected:
    CompatibilityTrackerProviding() = default;
    CompatibilityTrackerProviding(const CompatibilityTrackerProviding&) = default;
    CompatibilityTrackerProviding& operator=(const CompatibilityTrackerProviding&) = default;
};

}  // namespace lottie
