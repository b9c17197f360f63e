#include "Pellor/Resources/ApplicationIcon.h"

#include <QFile>

// Outside any namespace: the registration function the resource compiler makes is global.
static void registerPellorResources() { Q_INIT_RESOURCE(pellor); }

namespace pellor {

void initializeResources() {
    static const bool registered = (registerPellorResources(), true);
    (void)registered;
}

QIcon applicationIcon() { return QIcon(QStringLiteral(":/pellor/icons/me.tolvane.pellor.svg")); }

QIcon symbolIcon(const QString& name) {
    const QString path = QStringLiteral(":/pellor/symbols/%1.svg").arg(name);
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

}  // namespace pellor
