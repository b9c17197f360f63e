#pragma once
// The quiet button of the control row and the about window: no background at
// rest, an accent tint that grows with hover and press, no border or shadow.

#include "Pellor/Styles/ButtonStyle.h"

namespace pellor {

class SecondaryButtonStyle : public ButtonStyle {
public:
    // No minimum height to give: every size is at least 35 high (sizedButtonMetrics).
    explicit SecondaryButtonStyle(ButtonSize size = ButtonSize::medium, std::optional<double> minWidth = std::nullopt)
        : size_(size), minWidth_(minWidth) {}

    ButtonAppearance appearance(const ButtonState& state) const override;
    ButtonMetrics metrics() const override { return sizedButtonMetrics(size_, minWidth_); }

private:
    ButtonSize size_;
    std::optional<double> minWidth_;
};

}  // namespace pellor
