#pragma once
// One feature of an animation that the Core Animation engine cannot render as the
// main-thread engine would, found while that engine sets up its layers. The
// animation layer prints each one as "[context] message" when it reports them or
// falls back. A plain value.

#include <string>

namespace lottie {

struct CompatibilityIssue {
    std::string message;
    // Where in the animation the issue was found (a layer or keypath name).
    std::string context;

    // "[context] message", the form every report uses.
    std::string description() const { return "[" + context + "] " + message; }

    bool operator==(const CompatibilityIssue&) const = default;
};

}  // namespace lottie
