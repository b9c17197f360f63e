#include "Pellor/Styles/ActionButtonStyle.h"

namespace pellor {

namespace {

// The desktop's neutral grey, the same in both appearances.
constexpr QRgb kSystemGray = 0xFF8E8E93;

}  // namespace

ButtonAppearance ActionButtonStyle::appearance(const ButtonState& state) const {
    ButtonAppearance look;
    look.background = QColor::fromRgba(kSystemGray);
    look.background.setAlphaF(state.hovered ? 0.3f : 0.2f);
    const bool dark = state.scheme == ColorScheme::dark;
    look.label = dark ? QColor(0xF2, 0xF2, 0xF7) : QColor(0x1C, 0x1C, 0x1E);
    look.secondaryLabel = look.label;
    look.secondaryLabel.setAlphaF(0.6f);
    look.opacity = state.pressed ? 0.8 : 1.0;
    return look;
}

ButtonMetrics ActionButtonStyle::metrics() const {
    ButtonMetrics metrics;
    // Linux has no capsule look to follow, so the row keeps the rounded
    // rectangle and the narrower horizontal padding that goes with it.
    metrics.padding = QMarginsF(10, 10, 10, 10);
    metrics.fillsWidth = true;
    return metrics;
}

}  // namespace pellor
