#pragma once
// A full-width list row: the label at the leading edge, an optional secondary
// text at the trailing edge, on a grey background that darkens on hover; the
// whole row fades a little while pressed. Used by the welcome window's
// "Open..." button and recent-document rows.

#include "Pellor/Styles/ButtonStyle.h"

namespace pellor {

class ActionButtonStyle : public ButtonStyle {
public:
    ButtonAppearance appearance(const ButtonState& state) const override;
    ButtonMetrics metrics() const override;
};

}  // namespace pellor
