#include "Pellor/Review/ReviewPage.h"

namespace pellor {

const QUrl& reviewPageURL() {
    static const QUrl url(QStringLiteral("appstream://") + QString::fromLatin1(appStreamIdentifier));
    return url;
}

}  // namespace pellor
