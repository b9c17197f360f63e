#include "Pellor/Player/DocumentNames.h"

#include <QDir>
#include <QFileInfo>

namespace pellor {

DocumentNames& DocumentNames::shared() {
    static DocumentNames names;
    return names;
}

void DocumentNames::note(const QString& path) {
    if (path.isEmpty()) return;
    const std::lock_guard<std::mutex> hold(lock_);
    QStringList& namesakes = paths_[QFileInfo(path).fileName()];
    if (!namesakes.contains(path)) namesakes << path;
}

QString DocumentNames::nameOf(const QString& path) const {
    const QStringList parts = QDir::fromNativeSeparators(path).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty()) return {};
    const std::lock_guard<std::mutex> hold(lock_);
    const auto found = paths_.find(parts.last());
    // The last `count` parts of the path, the file name first among them.
    const auto tail = [](const QStringList& parts, qsizetype count) {
        return parts.mid(std::max<qsizetype>(parts.size() - count, 0)).join(QLatin1Char('/'));
    };
    qsizetype count = 1;
    if (found != paths_.end()) {
        for (const QString& other : found->second) {
            if (other == path) continue;
            const QStringList otherParts = QDir::fromNativeSeparators(other).split(QLatin1Char('/'), Qt::SkipEmptyParts);
            while (count < parts.size() && tail(parts, count) == tail(otherParts, count)) ++count;
        }
    }
    return QDir::toNativeSeparators(tail(parts, count));
}

}  // namespace pellor
