#pragma once
// What the "Check for Updates…" command needs of an updater: whether it can
// check now (the command is enabled only then) and the check itself. This
// base answers "cannot check" for ever, so the command stays disabled until
// the application is given a real updater (PellorApp::setUpdateCommandSource).
// Owned by the application object; main thread only.

#include <QObject>

namespace pellor {

class UpdateCommandSource : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual bool canCheckForUpdates() const;
    virtual void checkForUpdates();

signals:
    // Sent only when the answer of canCheckForUpdates() really changes.
    void canCheckForUpdatesChanged(bool canCheck);
};

}  // namespace pellor
