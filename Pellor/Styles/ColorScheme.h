#pragma once
// The two appearances the application's styles know: dark, and light for
// everything else. The desktop tells a widget which one it is in through the
// palette it inherits (Qt 6.4 has no colour-scheme query of its own), so the
// scheme is read from the window colour's lightness. Free functions; no state.

class QWidget;
class QPalette;

namespace pellor {

enum class ColorScheme { light, dark };

// Dark when the palette's window colour is darker than middle grey.
ColorScheme colorSchemeOf(const QPalette& palette);
ColorScheme colorSchemeOf(const QWidget& widget);

}  // namespace pellor
