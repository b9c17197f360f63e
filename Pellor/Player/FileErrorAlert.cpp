#include "Pellor/Player/FileErrorAlert.h"

#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include "Pellor/Player/FrameWithinArea.h"
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
    QWidget* host = parentWidget() ? parentWidget()->window() : nullptr;
    QWindow* handle = host ? host->windowHandle() : nullptr;
    if (!host || (host->isVisible() && handle && handle->isExposed())) {
        showCentred();
        return;
    }
    // The window is not on screen yet (the window manager has still to place
    // it): show when it is, so that the alert is centred where it ends up.
    if (waiting_) return;
    waiting_ = true;
    host->installEventFilter(this);
    if (handle) handle->installEventFilter(this);
}

bool FileErrorAlert::eventFilter(QObject* watched, QEvent* event) {
    if (waiting_ && (event->type() == QEvent::Expose || event->type() == QEvent::Show)) {
        QWidget* host = parentWidget()->window();
        QWindow* handle = host->windowHandle();
        // The window's handle exists only once it is shown; watch it from then on.
        if (handle && watched == host) handle->installEventFilter(this);
        if (host->isVisible() && handle && handle->isExposed()) {
            waiting_ = false;
            host->removeEventFilter(this);
            handle->removeEventFilter(this);
            // After the expose has been handled, not inside it.
            QMetaObject::invokeMethod(this, &FileErrorAlert::showCentred, Qt::QueuedConnection);
        }
    }
    return QMessageBox::eventFilter(watched, event);
}

void FileErrorAlert::showCentred() {
    if (isVisible()) return;
    open();
}

void FileErrorAlert::showEvent(QShowEvent* event) {
    // The message box fixes its size as it shows, after the dialog placed it
    // for the size it had before; centre it again for the size it has now.
    QMessageBox::showEvent(event);
    centreOnWindow();
}

void FileErrorAlert::centreOnWindow() {
    QWidget* host = parentWidget() ? parentWidget()->window() : nullptr;
    if (!host) return;
    QRect frame = frameGeometry();
    frame.moveCenter(host->frameGeometry().center());
    // Within the screen, where a window partly off screen would otherwise take it.
    if (const QScreen* screen = host->screen()) frame = keptWithin(frame, screen->availableGeometry());
    move(frame.topLeft());
}

}  // namespace pellor
