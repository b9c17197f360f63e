#include "Pellor/Player/FrameReadoutLabel.h"

#include <QAccessible>

#include "Pellor/Player/PlayerAccessibility.h"

namespace pellor {

FrameReadoutLabel::FrameReadoutLabel(QWidget* parent) : QLabel(parent) { PlayerAccessibility::install(); }

void FrameReadoutLabel::showText(const QString& shown) {
    if (shown == text()) return;
    const QString previous = text();
    setText(shown);
    // A screen reader on the desktop's bus follows the text; Qt's own clients the value.
    QAccessibleTextUpdateEvent textEvent(this, 0, previous, shown);
    QAccessible::updateAccessibility(&textEvent);
    QAccessibleValueChangeEvent valueEvent(this, shown);
    QAccessible::updateAccessibility(&valueEvent);
}

}  // namespace pellor
