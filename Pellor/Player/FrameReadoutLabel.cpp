#include "Pellor/Player/FrameReadoutLabel.h"

#include <QAccessible>

#include "Pellor/Player/PlayerAccessibility.h"

namespace pellor {

FrameReadoutLabel::FrameReadoutLabel(QWidget* parent) : QLabel(parent) { PlayerAccessibility::install(); }

void FrameReadoutLabel::showText(const QString& shown) {
    if (shown == text()) return;
    setText(shown);
    QAccessibleValueChangeEvent event(this, shown);
    QAccessible::updateAccessibility(&event);
}

}  // namespace pellor
