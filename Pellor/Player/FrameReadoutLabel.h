#pragma once
// The control row's frame read-out ("#028/090") as a label that assistive
// tools read: its name says what it is ("Current frame"), and its text and
// value are the text it shows, which it announces as a change each time the
// text changes (AccessibleFrameReadout gives it both). Owned by its control row.

#include <QLabel>

namespace pellor {

class FrameReadoutLabel : public QLabel {
    Q_OBJECT

public:
    explicit FrameReadoutLabel(QWidget* parent = nullptr);

    // Shows the text and, when it changed, tells assistive tools of the new text.
    void showText(const QString& text);
};

}  // namespace pellor
