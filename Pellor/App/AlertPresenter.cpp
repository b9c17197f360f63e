#include "Pellor/App/AlertPresenter.h"

#include <QLabel>
#include <QMessageBox>
#include <QPointer>

#include "Pellor/Updater/MessageBoxLayout.h"

namespace pellor {

void AlertPresenter::showError(QWidget* parent, const QString& message, const QString& detail) {
    // On the heap: should its window close while it is up, the box goes with
    // it instead of being destroyed twice.
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Pellor"), message, QMessageBox::Ok, parent);
    box->setInformativeText(detail);
    showAsPlainText(*box);
    layOutAtNaturalWidth(*box);
    // Over a window it blocks that window alone and stays on top of it; the
    // other windows (those of the same request among them) go on answering.
    if (parent) box->setWindowModality(Qt::WindowModal);
    box->exec();
    delete box.data();
}

void AlertPresenter::showAsPlainText(QMessageBox& box) {
    // File names and paths are the user's own text: markup in them is shown
    // as written, never applied.
    box.setTextFormat(Qt::PlainText);
    if (QLabel* informative = informativeLabel(box)) informative->setTextFormat(Qt::PlainText);
}

}  // namespace pellor
