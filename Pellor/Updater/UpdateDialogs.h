#pragma once
// The update checks' windows: "Checking for updates…" while a check the user
// asked for runs, then "Pellor x is available" (with buttons that open the
// download address or the folder of the downloaded package, and the release
// notes, in the desktop's programs), "You're up to date", or what went wrong.
// None is modal; each replaces the one before. Addresses are opened through
// QDesktopServices. Owned by the updater, through its configuration.

#include <QPointer>
#include <QWidget>

#include "Pellor/Updater/UpdatePresenter.h"

namespace pellor {

class UpdateDialogs : public UpdatePresenter {
public:
    ~UpdateDialogs() override;

    void showChecking() override;
    void showUpdateAvailable(const AppcastItem& update, const std::optional<QString>& downloadedFile) override;
    void showUpToDate(const QString& currentVersion) override;
    void showError(const QString& message) override;

    // The window shown now, if it is still open.
    QWidget* currentWindow() const { return current_.data(); }

private:
    void replaceWith(QWidget* window);

    QPointer<QWidget> current_;
};

}  // namespace pellor
