#include "Pellor/App/RecentDocuments.h"

#include <QSettings>

namespace pellor {

namespace {

const QString kKey = QStringLiteral("recentDocuments");

}  // namespace

RecentDocuments::RecentDocuments(QObject* parent) : QObject(parent) {}

QStringList RecentDocuments::paths() const {
    QStringList paths = QSettings().value(kKey).toStringList();
    paths.removeAll(QString());
    paths.removeDuplicates();
    return paths.mid(0, kLimit);
}

void RecentDocuments::note(const QString& path) {
    QStringList paths = this->paths();
    paths.removeAll(path);
    paths.prepend(path);
    QSettings().setValue(kKey, paths.mid(0, kLimit));
    emit changed();
}

void RecentDocuments::remove(const QString& path) {
    QStringList paths = this->paths();
    if (paths.removeAll(path) == 0) return;
    QSettings().setValue(kKey, paths);
    emit changed();
}

void RecentDocuments::clear() {
    QSettings().remove(kKey);
    emit changed();
}

}  // namespace pellor
