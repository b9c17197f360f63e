#pragma once
// The quiet button of the control row and the about window: no background at
// rest, an accent tint that grows with hover and press, no border or shadow.

#include "Pellor/Styles/ButtonStyle.h"

namespace pellor {

class SecondaryButtonStyle : public ButtonStyle {
public:
    explicit SecondaryButtonStyle(ButtonSize size = ButtonSize::medium, std::optional<double> minWidth = std::nullopt,
                                  std::optional<double> minHeight = std::nullopt)
        : size_(size), minWidth_(minWidth), minHeight_(minHeight) {}

    ButtonAppearance appearance(const ButtonState& state) const override;
    ButtonMetrics metrics() const override { return sizedButtonMetrics(size_, minWidth_); }
    std::optional<double> minHeight() const { return minHeight_; }

private:
    ButtonSize size_;
    std::optional<double> minWidth_;
    // Kept for callers that give one; the body's own minimum of 35 applies.
    std::optional<double> minHeight_;
};

}  // namespace pellor
