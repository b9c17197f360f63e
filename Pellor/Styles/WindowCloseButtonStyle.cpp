#include "Pellor/Styles/WindowCloseButtonStyle.h"

#include "Pellor/Styles/NamedColors.h"

namespace pellor {

ButtonAppearance WindowCloseButtonStyle::appearance(const ButtonState& state) const {
    const bool dark = state.scheme == ColorScheme::dark;
    ButtonAppearance look;
    // The cross is in the label colour of the ramp, well apart from either background.
    look.label = NamedColors::color(dark ? QStringLiteral("accent200") : QStringLiteral("accent800"));
    // Tints strong enough to tell apart from the window behind in either appearance.
    if (state.pressed) {
        look.background = NamedColors::color(dark ? QStringLiteral("accent1100") : QStringLiteral("accent400"));
    } else if (state.hovered) {
        look.background = NamedColors::color(dark ? QStringLiteral("accent1000") : QStringLiteral("accent300"));
    }
    return look;
}

ButtonMetrics WindowCloseButtonStyle::metrics() const {
    ButtonMetrics metrics;
    const double inset = (kDiameter - kGlyph) / 2.0;
    metrics.padding = QMarginsF(inset, inset, inset, inset);
    metrics.minWidth = kDiameter;
    metrics.minHeight = kDiameter;
    metrics.cornerRadius = kDiameter / 2.0;
    return metrics;
}

}  // namespace pellor
