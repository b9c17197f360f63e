#include "Pellor/App/AlertPresenter.h"

#include <QMessageBox>

namespace pellor {

void AlertPresenter::showError(QWidget* parent, const QString& message, const QString& detail) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Pellor"), message, QMessageBox::Ok, parent);
    box.setInformativeText(detail);
    box.exec();
}

}  // namespace pellor
