#pragma once
// What assistive tools are told about the player's frame controls. Qt asks a
// factory for the accessible interface of each widget; the one installed here
// answers for the frame read-out (a text whose value is the "#028/090" it
// shows, under the name "Current frame") and the frame slider (a slider whose
// value is the frame number and whose range runs from the first frame to the
// last, rather than the slider's raw steps), and leaves every other widget to
// Qt. Process-wide; main thread only.

namespace pellor {

class PlayerAccessibility {
public:
    PlayerAccessibility() = delete;

    // Installs the factory once; the controls call it when they are made.
    static void install();
};

}  // namespace pellor
