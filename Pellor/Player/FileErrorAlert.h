#pragma once
// The player's "Cannot open file" alert: a window-modal warning over the
// player's own window with the title, the message and one "OK" button. It is
// laid out at its natural size (the message on one line where it fits rather
// than wrapped under the short title), and it waits until its window is on
// screen before it shows, centred on that window, so that it covers the
// document that failed and not whichever window happened to be there.
//
// However the user dismisses it (OK, Escape, or the window manager's close
// button) it reports `dismissed` once. Owned by the player view (a Qt child);
// deletes itself when closed.

#include <QMessageBox>

namespace pellor {

class FileErrorAlert : public QMessageBox {
    Q_OBJECT

public:
    FileErrorAlert(const QString& title, const QString& message, QWidget* parent);

    // Shows the alert once the parent's window has been exposed; at once when
    // it already is.
    void present();

signals:
    void dismissed();

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace pellor
