#include "Pellor/Styles/SecondaryButtonStyle.h"

#include "Pellor/Styles/NamedColors.h"

namespace pellor {

ButtonAppearance SecondaryButtonStyle::appearance(const ButtonState& state) const {
    const bool dark = state.scheme == ColorScheme::dark;
    double opacity = 0;
    if (state.pressed) {
        opacity = dark ? 0.2 : 1.0;
    } else if (state.hovered) {
        opacity = dark ? 0.1 : 0.3;
    }
    ButtonAppearance look;
    look.background = NamedColors::color(QStringLiteral("accent200"), opacity);
    look.label = NamedColors::color(dark ? QStringLiteral("accent500") : QStringLiteral("accent800"));
    return look;
}

}  // namespace pellor
