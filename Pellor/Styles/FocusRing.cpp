#include "Pellor/Styles/FocusRing.h"

#include <QPainter>
#include <QPainterPath>
#include <QWidget>
#include <algorithm>

#include "Pellor/Styles/NamedColors.h"

namespace pellor {

bool showsFocusRing(const QWidget& widget) {
    return widget.hasFocus() && widget.window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

QColor focusRingColor(ColorScheme scheme) {
    return NamedColors::color(scheme == ColorScheme::dark ? QStringLiteral("accent400") : QStringLiteral("accent800"));
}

void drawFocusRing(QPainter& painter, const QRectF& shape, double radius, ColorScheme scheme) {
    const double inset = kFocusRingWidth / 2;
    const double corner = std::max(0.0, radius - inset);
    QPainterPath ring;
    ring.addRoundedRect(shape.adjusted(inset, inset, -inset, -inset), corner, corner);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(1);
    painter.setPen(QPen(focusRingColor(scheme), kFocusRingWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(ring);
    painter.restore();
}

}  // namespace pellor
