#include "Pellor/Styles/DefaultButtonStyle.h"

#include "Pellor/Styles/NamedColors.h"

namespace pellor {

ButtonAppearance DefaultButtonStyle::appearance(const ButtonState& state) const {
    const bool dark = state.scheme == ColorScheme::dark;
    ButtonAppearance look;
    // A press without the pointer inside (from the keyboard) keeps the resting
    // background: only the hovered states change it.
    QString background = dark ? QStringLiteral("accent900") : QStringLiteral("accent100");
    if (state.hovered) {
        if (state.pressed) {
            background = dark ? QStringLiteral("accent1100") : QStringLiteral("accent300");
        } else {
            background = dark ? QStringLiteral("accent1000") : QStringLiteral("accent200");
        }
    }
    look.background = NamedColors::color(background);
    const bool destructive = isDestructive_ || state.destructiveRole;
    look.label = NamedColors::color(destructive ? QStringLiteral("Theme/red")
                                                : (dark ? QStringLiteral("accent200") : QStringLiteral("accent800")));
    look.border = NamedColors::color(dark ? QStringLiteral("accent1100") : QStringLiteral("accent400"), 0.5);
    look.shadow = NamedColors::color(dark ? QStringLiteral("accent500") : QStringLiteral("accent400"), 0.3);
    look.shadowOffsetY = state.pressed ? 0 : 1;
    return look;
}

}  // namespace pellor
