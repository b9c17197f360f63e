#pragma once
// The application's prominent button: an accent-tinted background with a thin
// border and a one-pixel shadow that the press takes away; destructive
// buttons draw their label in red. Used by the about window's buttons.

#include "Pellor/Styles/ButtonStyle.h"

namespace pellor {

class DefaultButtonStyle : public ButtonStyle {
public:
    explicit DefaultButtonStyle(ButtonSize size = ButtonSize::medium, bool isDestructive = false)
        : size_(size), isDestructive_(isDestructive) {}

    ButtonAppearance appearance(const ButtonState& state) const override;
    ButtonMetrics metrics() const override { return sizedButtonMetrics(size_, std::nullopt); }

private:
    ButtonSize size_;
    bool isDestructive_;
};

}  // namespace pellor
