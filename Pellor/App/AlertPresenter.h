#pragma once
// How the application tells the user that something failed: the desktop's
// warning dialog with a message and a detail. Tests put a recorder in its
// place (PellorApp::setAlertPresenter) so that no dialog blocks them. Owned
// by the application object.

#include <QString>

class QMessageBox;
class QWidget;

namespace pellor {

class AlertPresenter {
public:
    virtual ~AlertPresenter() = default;
    // Shows the warning and returns at once; it stays until the user answers
    // it (UnansweredAlert). Over `parent` it is modal to that window alone and
    // stays on top of it, moving over another window should that one close
    // first; with none it is centred on the screen and blocks the application.
    // Its texts are laid out at their natural width, within the screen.
    virtual void showError(QWidget* parent, const QString& message, const QString& detail);

    // Makes the box show its message and detail as plain text: call it after
    // both are set.
    static void showAsPlainText(QMessageBox& box);
};

}  // namespace pellor
