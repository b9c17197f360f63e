#pragma once
// Something that gives the user a haptic impact, for a switch to hold. Linux
// desktops have no haptic feedback device to drive, so NullHapticGenerator is
// the only generator here, and nothing in the library calls generate(): the
// type is kept so that an application can hand a switch one of its own.
// Held by shared pointer; main thread only.

namespace lottie {

class ImpactGenerator {
public:
    virtual ~ImpactGenerator() = default;
    // Gives one impact.
    virtual void generate() = 0;
};

}  // namespace lottie
