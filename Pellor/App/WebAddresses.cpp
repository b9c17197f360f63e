#include "Pellor/App/WebAddresses.h"

namespace pellor {

const QUrl& developerWebsiteURL() {
    static const QUrl url(QStringLiteral("https://tolvane.me"));
    return url;
}

}  // namespace pellor
