#pragma once
// What assistive tools are told about the animated controls. Qt asks a
// factory for the accessible interface of each widget; the one installed here
// answers for AnimatedButton (a push button) and AnimatedSwitch (a checkable
// control whose value text is "On" or "Off" and whose checked state follows
// it), and leaves every other widget to Qt. Without it a screen reader would
// see a plain QWidget with no role and no state. Process-wide; main thread
// only.

namespace lottie {

class AnimatedControlAccessibility {
public:
    AnimatedControlAccessibility() = delete;

    // Installs the factory once; the controls call it when they are made.
    static void install();
};

}  // namespace lottie
