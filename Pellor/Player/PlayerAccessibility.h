#pragma once
// What assistive tools are told about the player's controls. Qt asks a
// factory for the accessible interface of each widget; the one installed here
// answers for the frame read-out (a text, "#028/090", under the name "Current
// frame"), the frame slider (a slider whose value is the frame number and
// whose range runs from the first frame to the last, rather than the slider's
// raw steps) and a menu button and its menu (the open menu a child of the
// button, its items the menu's), and leaves every other widget to Qt.
// Process-wide; main thread only.

namespace pellor {

class PlayerAccessibility {
public:
    PlayerAccessibility() = delete;

    // Installs the factory once; the controls call it when they are made.
    static void install();
};

}  // namespace pellor
