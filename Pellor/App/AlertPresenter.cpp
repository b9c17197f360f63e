#include "Pellor/App/AlertPresenter.h"

#include <QLabel>
#include <QMessageBox>

namespace pellor {

void AlertPresenter::showError(QWidget* parent, const QString& message, const QString& detail) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Pellor"), message, QMessageBox::Ok, parent);
    box.setInformativeText(detail);
    showAsPlainText(box);
    box.exec();
}

void AlertPresenter::showAsPlainText(QMessageBox& box) {
    // File names and paths are the user's own text: markup in them is shown
    // as written, never applied.
    box.setTextFormat(Qt::PlainText);
    if (QLabel* informative = informativeLabel(box)) informative->setTextFormat(Qt::PlainText);
}

QLabel* AlertPresenter::informativeLabel(QMessageBox& box) {
    return box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
}

}  // namespace pellor
