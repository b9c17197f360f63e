#include "Pellor/Updater/EnclosureFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace pellor {

QString enclosureFileName(const AppcastItem& item) {
    QString name = item.enclosureURL.fileName();
    for (QChar& character : name) {
        // Format characters include the direction overrides, which would show
        // "Pellor-1.3.deb" for a name that ends otherwise.
        if (character.unicode() < 0x20 || character == u'/' || character == u'\\' || character.unicode() == 0x7f ||
            character.category() == QChar::Other_Format) {
            character = u'_';
        }
    }
    // A name with a leading dot would be hidden in the download folder.
    qsizetype dots = 0;
    while (dots < name.size() && name[dots] == u'.') ++dots;
    name.remove(0, dots);
    if (name.isEmpty()) {
        name = QStringLiteral("Pellor-") + item.displayVersion();
        name.replace(u'/', u'_');
    }
    return name;
}

std::optional<QString> saveEnclosure(const QByteArray& body, const AppcastItem& item, const QString& folder) {
    if (item.enclosureLength > 0 && body.size() != item.enclosureLength) return std::nullopt;
    QDir directory(folder);
    if (!directory.mkpath(QStringLiteral("."))) return std::nullopt;
    const QString name = enclosureFileName(item);
    const QFileInfo info(name);
    const QString suffix = info.suffix().isEmpty() || info.completeBaseName().isEmpty() ? QString() : u'.' + info.suffix();
    const QString stem = name.left(name.size() - suffix.size());
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const QString candidate = attempt == 0 ? name : QStringLiteral("%1 (%2)%3").arg(stem).arg(attempt).arg(suffix);
        QFile file(directory.filePath(candidate));
        // NewOnly fails when the name is taken, also by a file made a moment ago.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (file.exists()) continue;
            return std::nullopt;
        }
        if (file.write(body) != body.size() || !file.flush()) {
            file.close();
            file.remove();
            return std::nullopt;
        }
        return QFileInfo(file).absoluteFilePath();
    }
    return std::nullopt;
}

}  // namespace pellor
