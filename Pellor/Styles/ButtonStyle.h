#pragma once
// What a button style decides: the colours of a button in a given state and
// the metrics of its body. StyledButton asks its style on every paint, so a
// style is a small immutable value shared by the buttons that use it. A style
// draws nothing itself: the one painting widget (StyledButton) draws whatever
// the style's answers say, so each style is only its table of colours and
// sizes.

#include <QColor>
#include <QMarginsF>
#include <optional>

#include "Pellor/Styles/ButtonSize.h"
#include "Pellor/Styles/ColorScheme.h"

namespace pellor {

// The state a style colours: pointer inside, button held down, the button's
// destructive role, and the appearance it is shown in.
struct ButtonState {
    bool hovered = false;
    bool pressed = false;
    bool destructiveRole = false;
    ColorScheme scheme = ColorScheme::light;
};

// The colours of one state. An invalid colour draws nothing.
struct ButtonAppearance {
    QColor background;
    QColor label;
    QColor secondaryLabel;
    QColor border;
    QColor shadow;
    double shadowOffsetY = 0;
    // Of the whole button.
    double opacity = 1;
};

// The body's measures, in device-independent pixels.
struct ButtonMetrics {
    // Of the surrounding font's point size.
    double fontScale = 1;
    QMarginsF padding;
    std::optional<double> minWidth;
    std::optional<double> minHeight;
    // Whether the button takes all the width it is offered (a list row).
    bool fillsWidth = false;
    double cornerRadius = 6;
};

class ButtonStyle {
public:
    virtual ~ButtonStyle() = default;
    virtual ButtonAppearance appearance(const ButtonState& state) const = 0;
    virtual ButtonMetrics metrics() const = 0;
};

// The metrics the sized styles share: font and padding by size, a minimum
// height of 35 at every size and the given minimum width.
ButtonMetrics sizedButtonMetrics(ButtonSize size, std::optional<double> minWidth);

}  // namespace pellor
