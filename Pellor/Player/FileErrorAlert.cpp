#include "Pellor/Player/FileErrorAlert.h"

#include <QPushButton>

#include "Pellor/App/AlertPlacement.h"
#include "Pellor/Updater/MessageBoxLayout.h"

namespace pellor {

namespace {

// Past this width the message wraps; below it, it keeps to one line.
constexpr int kWidestMessage = 460;

}  // namespace

FileErrorAlert::FileErrorAlert(const QString& title, const QString& message, QWidget* parent)
    : QMessageBox(QMessageBox::Warning, title, title, QMessageBox::NoButton, parent) {
    setObjectName(QStringLiteral("fileErrorAlert"));
    setInformativeText(message);
    QPushButton* ok = addButton(tr("OK"), QMessageBox::AcceptRole);
    setDefaultButton(ok);
    setEscapeButton(ok);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    // The message box sizes itself to its main text, which here is the short
    // title, and wraps the message into that width. A message label at least
    // as wide as the message's line (up to a comfortable length) makes the box
    // as wide as the message needs instead.
    layOutAtNaturalWidth(*this, kWidestMessage);
    // finished() comes however the dialog ends: a button, Escape or a close event.
    connect(this, &QDialog::finished, this, &FileErrorAlert::dismissed);
}

void FileErrorAlert::present() {
    // The window is not on screen yet while the window manager has still to
    // place it: shown when it is, so that the alert is centred where it ends up.
    AlertPlacement::showWhenPlaced(*this, [this] {
        if (!isVisible()) open();
    });
}

void FileErrorAlert::showEvent(QShowEvent* event) {
    // The message box fixes its size as it shows, after the dialog placed it
    // for the size it had before; centre it again for the size it has now.
    QMessageBox::showEvent(event);
    AlertPlacement::centreOnWindow(*this);
}

}  // namespace pellor
