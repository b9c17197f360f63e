#pragma once
// Keeps every alert on screen answering its own buttons. Qt blocks a window
// for each window-modal dialog shown after it over the same window, so of two
// alerts over one window (the report of files that could not be opened and
// that document's own "Cannot open file") only the newer would answer, and
// the older would sit there with buttons that do nothing. A window-modal
// dialog lets through only the dialogs that stand on it (its transient
// children), so the alerts over one window are chained: the newest stands on
// the window, which stays blocked, and each older one on the one shown after
// it. When an alert of a chain goes, the one that stood on it moves onto
// what it stood on.
//
// An event filter on the application, held by the application object;
// main thread only.

#include <QObject>
#include <QPointer>
#include <vector>

class QMessageBox;
class QWidget;

namespace pellor {

class AlertStack : public QObject {
    Q_OBJECT

public:
    explicit AlertStack(QObject* parent = nullptr);
    ~AlertStack() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Puts the alert that stood on the box's window onto the box.
    void stack(QMessageBox& box);
    // Puts the alert that stood on the box onto what the box stood on.
    void unstack(QMessageBox& box);
    // The window a window-modal alert blocks; none for another kind of box.
    static QWidget* hostOf(const QMessageBox& box);

    // The alerts on screen over windows, oldest first.
    std::vector<QPointer<QMessageBox>> shown_;
};

}  // namespace pellor
