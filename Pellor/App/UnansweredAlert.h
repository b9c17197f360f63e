#pragma once
// Keeps a message box on screen until the user answers it. Shown over a
// window, it is modal to that window alone; should that window close first
// (a document whose own "Cannot open file" alert was answered closes, and a
// report of several files may be shown over it), the box moves over another
// open window of the application, or over none, blocking the application,
// rather than vanish unread with its window. It shows over its window once
// that window is on screen, centred on it (AlertPlacement). Answered, it is
// deleted.
//
// A Qt child of its box, made by present(); main thread only.

#include <QObject>
#include <QPointer>

class QMessageBox;
class QWidget;

namespace pellor {

class UnansweredAlert : public QObject {
    Q_OBJECT

public:
    // Shows the box (made on the heap) and returns at once.
    static void present(QMessageBox& box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit UnansweredAlert(QMessageBox& box);
    // Shows the box over `window` (none: over no window), watching it close.
    void showOver(QWidget* window);
    // Another window of the application that stays on screen; none when there is none.
    QWidget* windowOtherThan(const QWidget* closing) const;

    QMessageBox& box_;
    QPointer<QWidget> window_;
    bool answered_ = false;
};

}  // namespace pellor
