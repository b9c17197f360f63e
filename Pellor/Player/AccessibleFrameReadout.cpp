#include "Pellor/Player/AccessibleFrameReadout.h"

#include <QFontMetrics>
#include <QStyle>
#include <algorithm>

#include "Pellor/Player/FrameReadoutLabel.h"

namespace pellor {

AccessibleFrameReadout::AccessibleFrameReadout(FrameReadoutLabel* label)
    : QAccessibleWidget(label, QAccessible::StaticText) {}

QString AccessibleFrameReadout::shown() const { return static_cast<const QLabel*>(widget())->text(); }

void* AccessibleFrameReadout::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

// The read-out keeps its name; what it shows is its value.
QString AccessibleFrameReadout::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Value) return shown();
    return QAccessibleWidget::text(kind);
}

QString AccessibleFrameReadout::text(int startOffset, int endOffset) const {
    const QString all = shown();
    // Clients ask with offsets out of range (-1 for "to the end"); they get what lies within.
    const int start = std::clamp(startOffset, 0, static_cast<int>(all.size()));
    const int end = endOffset < 0 ? static_cast<int>(all.size()) : std::clamp(endOffset, start, static_cast<int>(all.size()));
    return all.mid(start, end - start);
}

int AccessibleFrameReadout::characterCount() const { return static_cast<int>(shown().size()); }

QRect AccessibleFrameReadout::characterRect(int offset) const {
    const QString all = shown();
    if (offset < 0 || offset >= all.size()) return {};
    const auto& label = *static_cast<const QLabel*>(widget());
    const QFontMetrics metrics(label.font());
    // The line as the label lays it out: its alignment within the contents.
    const QRect line = QStyle::alignedRect(label.layoutDirection(), label.alignment(),
                                           QSize(metrics.horizontalAdvance(all), metrics.height()), label.contentsRect());
    const QRect character(line.left() + metrics.horizontalAdvance(all.left(offset)), line.top(),
                          metrics.horizontalAdvance(all.mid(offset, 1)), line.height());
    return QRect(label.mapToGlobal(character.topLeft()), character.size());
}

int AccessibleFrameReadout::offsetAtPoint(const QPoint& point) const {
    for (int offset = 0; offset < characterCount(); ++offset) {
        if (characterRect(offset).contains(point)) return offset;
    }
    return -1;
}

// One run of plain text, without attributes.
QString AccessibleFrameReadout::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void AccessibleFrameReadout::selection(int, int* startOffset, int* endOffset) const { *startOffset = *endOffset = 0; }

}  // namespace pellor
