#include "Pellor/Updater/CheckForUpdatesAction.h"

#include "Pellor/Updater/UpdaterManager.h"

namespace pellor {

CheckForUpdatesAction::CheckForUpdatesAction(UpdaterManager& manager, QObject* parent)
    : QAction(tr("Check for Updates…"), parent) {
    setMenuRole(QAction::ApplicationSpecificRole);
    setEnabled(manager.canCheckForUpdates());
    connect(&manager, &UpdaterManager::canCheckForUpdatesChanged, this, &QAction::setEnabled);
    connect(this, &QAction::triggered, &manager, [&manager] { manager.updater()->checkForUpdates(); });
}

}  // namespace pellor
