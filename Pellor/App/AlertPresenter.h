#pragma once
// How the application tells the user that something failed: the desktop's
// warning dialog with a message and a detail. Tests put a recorder in its
// place (PellorApp::setAlertPresenter) so that no dialog blocks them. Owned
// by the application object.

#include <QString>

class QLabel;
class QMessageBox;
class QWidget;

namespace pellor {

class AlertPresenter {
public:
    virtual ~AlertPresenter() = default;
    // Shows the warning over `parent` (none: centred on the screen) and
    // returns when the user has read it.
    virtual void showError(QWidget* parent, const QString& message, const QString& detail);

    // Makes the box show its message and detail as plain text: call it after
    // both are set.
    static void showAsPlainText(QMessageBox& box);
    // The label of the box's informative text; none before that text is set
    // (or should Qt rename its internal label).
    static QLabel* informativeLabel(QMessageBox& box);
};

}  // namespace pellor
