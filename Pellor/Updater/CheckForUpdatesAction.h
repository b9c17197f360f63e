#pragma once
// The "Check for Updates…" menu command: it asks the manager's updater for a
// check, and is enabled only while the manager says a check can start, so it
// is disabled while one runs. The application puts it in its application menu;
// the menu owns it.

#include <QAction>

namespace pellor {

class UpdaterManager;

class CheckForUpdatesAction : public QAction {
    Q_OBJECT

public:
    CheckForUpdatesAction(UpdaterManager& manager, QObject* parent = nullptr);
};

}  // namespace pellor
