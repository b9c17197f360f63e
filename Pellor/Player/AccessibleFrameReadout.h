#pragma once
// What assistive tools are told about the frame read-out: a label named
// "Current frame" whose text is the "#028/090" it shows. The text is given
// both as the label's value and through the text interface, which is what a
// screen reader on the desktop's accessibility bus reads; each character's
// place on the screen is where the label draws it. Made by
// PlayerAccessibility's factory and owned by Qt's accessibility cache.

#include <QAccessibleWidget>

namespace pellor {

class FrameReadoutLabel;

class AccessibleFrameReadout final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleFrameReadout(FrameReadoutLabel* label);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text kind) const override;

    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // A read-out is read, not edited: it has no caret and nothing selected.
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void scrollToSubstring(int, int) override {}

private:
    QString shown() const;
};

}  // namespace pellor
