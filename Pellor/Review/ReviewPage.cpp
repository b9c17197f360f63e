#include "Pellor/Review/ReviewPage.h"

#include <QCoreApplication>

namespace pellor {

const QUrl& reviewPageURL() {
    static const QUrl url(QStringLiteral("appstream://") + QString::fromLatin1(appStreamIdentifier));
    return url;
}

QString reviewPageToolTip() { return QCoreApplication::translate("ReviewPage", "Review Pellor in your software centre"); }

}  // namespace pellor
