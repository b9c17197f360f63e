#include "Pellor/App/AlertPresenter.h"

#include <QLabel>
#include <QMessageBox>

#include "Pellor/App/UnansweredAlert.h"
#include "Pellor/Updater/MessageBoxLayout.h"

namespace pellor {

void AlertPresenter::showError(QWidget* parent, const QString& message, const QString& detail) {
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Pellor"), message, QMessageBox::Ok, parent);
    box->setInformativeText(detail);
    showAsPlainText(*box);
    layOutAtNaturalWidth(*box);
    UnansweredAlert::present(*box);
}

void AlertPresenter::showAsPlainText(QMessageBox& box) {
    // File names and paths are the user's own text: markup in them is shown
    // as written, never applied.
    box.setTextFormat(Qt::PlainText);
    if (QLabel* informative = informativeLabel(box)) informative->setTextFormat(Qt::PlainText);
}

}  // namespace pellor
