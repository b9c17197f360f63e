#pragma once
// The ring around the control that has the keyboard focus: two pixels wide,
// in the accent colour (its dark shade in the light appearance, a light tint
// in the dark one, so that it stands out from either background), following
// the control's shape just inside its edge. It shows only for focus that came
// from the keyboard, as desktops do; a click leaves no ring. Free functions
// used by the custom-painted controls (StyledButton, the frame slider).

#include <QColor>
#include <QRectF>

#include "Pellor/Styles/ColorScheme.h"

class QPainter;
class QWidget;

namespace pellor {

constexpr double kFocusRingWidth = 2;

// Whether `widget` has the focus and its window was last moved through by keyboard.
bool showsFocusRing(const QWidget& widget);
QColor focusRingColor(ColorScheme scheme);
// Strokes the ring inside `shape`, a rounded rectangle of that corner radius.
void drawFocusRing(QPainter& painter, const QRectF& shape, double radius, ColorScheme scheme);

}  // namespace pellor
