#include "Pellor/Styles/PlainText.h"

#include <QTextDocument>

namespace pellor {

QString plainToolTip(const QString& text) {
    // Texts that Qt would not take for markup stay as they are.
    if (!Qt::mightBeRichText(text)) return text;
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

QString plainWindowTitle(const QString& text) {
    // Qt shows "[*][*]" as "[*]".
    QString title = text;
    return title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

QString plainMenuText(const QString& text) {
    QString menuText = text;
    return menuText.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace pellor
