#pragma once
// The close button of a window without a title bar (the welcome window): a
// round target of 32 pixels around a 14-pixel cross, clear at rest and filled
// with an accent tint that is easy to see when the pointer is over it, darker
// still while pressed. The keyboard focus ring is StyledButton's, as for every
// styled button.

#include "Pellor/Styles/ButtonStyle.h"

namespace pellor {

class WindowCloseButtonStyle : public ButtonStyle {
public:
    static constexpr int kDiameter = 32;
    static constexpr int kGlyph = 14;

    ButtonAppearance appearance(const ButtonState& state) const override;
    ButtonMetrics metrics() const override;
};

}  // namespace pellor
