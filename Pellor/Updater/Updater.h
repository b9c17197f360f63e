#pragma once
// What the application asks of its updater: whether a check can start now
// (observable: canCheckForUpdatesChanged fires on every change), a check the
// user asked for, and the two automatic-update settings. AppcastUpdater is the
// application's; UpdaterManager wraps whichever it is given and owns it.
//
// canCheckForUpdatesChanged may be emitted on any thread; receivers that touch
// widgets connect with a context object on the main thread so that Qt queues it.

#include <QObject>

namespace pellor {

class Updater : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool canCheckForUpdates READ canCheckForUpdates NOTIFY canCheckForUpdatesChanged)

public:
    using QObject::QObject;

    virtual bool canCheckForUpdates() const = 0;
    // Starts a check that reports what it finds to the user, whatever it is.
    virtual void checkForUpdates() = 0;

    virtual bool automaticallyChecksForUpdates() const = 0;
    virtual void setAutomaticallyChecksForUpdates(bool enabled) = 0;
    virtual bool automaticallyDownloadsUpdates() const = 0;
    virtual void setAutomaticallyDownloadsUpdates(bool enabled) = 0;

signals:
    void canCheckForUpdatesChanged(bool canCheck);
};

}  // namespace pellor
