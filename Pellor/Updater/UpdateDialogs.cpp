#include "Pellor/Updater/UpdateDialogs.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

#include "Pellor/Updater/MessageBoxLayout.h"

namespace pellor {

namespace {

QString tr(const char* text) { return QCoreApplication::translate("UpdateDialogs", text); }

QMessageBox* messageBox(QMessageBox::Icon icon, const QString& text, const QString& details) {
    auto* box = new QMessageBox(icon, tr("Software Update"), text);
    box->setInformativeText(details);
    box->setAttribute(Qt::WA_DeleteOnClose);
    layOutAtNaturalWidth(*box);
    return box;
}

// A button that opens `url` in the desktop's program for it; the box closes.
void addOpeningButton(QMessageBox* box, const QString& title, QMessageBox::ButtonRole role, const QUrl& url) {
    QPushButton* button = box->addButton(title, role);
    QObject::connect(button, &QPushButton::clicked, box, [url] { QDesktopServices::openUrl(url); });
}

}  // namespace

UpdateDialogs::~UpdateDialogs() {
    if (current_) current_->close();
}

void UpdateDialogs::replaceWith(QWidget* window) {
    if (current_) current_->close();
    current_ = window;
    window->show();
}

void UpdateDialogs::showChecking() {
    auto* progress = new QProgressDialog(tr("Checking for updates…"), tr("Close"), 0, 0);
    progress->setWindowTitle(tr("Software Update"));
    progress->setAttribute(Qt::WA_DeleteOnClose);
    progress->setMinimumDuration(0);
    // Closing it only hides the progress: the check goes on and still reports.
    QObject::connect(progress, &QProgressDialog::canceled, progress, &QWidget::close);
    replaceWith(progress);
}

void UpdateDialogs::showUpdateAvailable(const AppcastItem& update, const std::optional<QString>& downloadedFile) {
    const QString details =
        downloadedFile ? tr("The package has been downloaded to %1.").arg(QDir::toNativeSeparators(*downloadedFile))
                       : tr("Download the new version and install it with your package manager.");
    auto* box = messageBox(QMessageBox::Information, tr("Pellor %1 is available").arg(update.displayVersion()), details);
    if (downloadedFile) {
        addOpeningButton(box, tr("Show in Folder"), QMessageBox::AcceptRole,
                         QUrl::fromLocalFile(QFileInfo(*downloadedFile).absolutePath()));
    } else {
        addOpeningButton(box, tr("Download"), QMessageBox::AcceptRole, update.enclosureURL);
    }
    if (!update.releaseNotesLink.isEmpty()) {
        addOpeningButton(box, tr("Release Notes"), QMessageBox::HelpRole, update.releaseNotesLink);
    }
    box->addButton(tr("Later"), QMessageBox::RejectRole);
    replaceWith(box);
}

void UpdateDialogs::showUpToDate(const QString& currentVersion) {
    replaceWith(messageBox(QMessageBox::Information, tr("You're up to date"),
                           tr("Pellor %1 is currently the newest version available.").arg(currentVersion)));
}

void UpdateDialogs::showError(const QString& message) {
    replaceWith(messageBox(QMessageBox::Warning, tr("Pellor could not check for updates."), message));
}

}  // namespace pellor
