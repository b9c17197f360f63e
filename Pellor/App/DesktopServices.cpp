#include "Pellor/App/DesktopServices.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileInfo>

namespace pellor {

bool DesktopServices::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

bool DesktopServices::revealFile(const QString& path) {
    const QUrl file = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{file.toString()} << QString();
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 3000);
    if (reply.type() == QDBusMessage::ReplyMessage) return true;
    return openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
}

}  // namespace pellor
