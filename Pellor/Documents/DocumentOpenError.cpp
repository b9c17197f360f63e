#include "Pellor/Documents/DocumentOpenError.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace pellor {

DocumentOpenError::DocumentOpenError(Reason reason, QString path, QString detail)
    : std::runtime_error(detail.toStdString()), reason_(reason), path_(std::move(path)), detail_(std::move(detail)) {}

QString DocumentOpenError::fileName() const { return QFileInfo(path_).fileName(); }

QString DocumentOpenError::message() const {
    return QCoreApplication::translate("DocumentOpenError", "The file \u201C%1\u201D couldn\u2019t be opened.").arg(fileName());
}

}  // namespace pellor
