#pragma once
// The application's one contact with its updater. It starts the updater when
// it is made (before any window exists), mirrors the updater's can-check state
// into its own observable property, which the "Check for Updates…" command
// follows, and gives the settings window the updater whose two settings it
// shows. Made once by the application and kept for its whole run.
//
// The updater may announce its state on any thread; the manager takes each
// value on the main thread (Qt queues the announcement to it) before it changes
// its property, so that menus and windows only ever change there. The value at
// the time the manager is made is taken at once.

#include <QObject>
#include <QUrl>
#include <memory>

#include "Pellor/Updater/Updater.h"

namespace pellor {

class UpdaterManager : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool canCheckForUpdates READ canCheckForUpdates NOTIFY canCheckForUpdatesChanged)

public:
    // Over the application's updater: the feed at appcastURL(), the application's
    // settings and version, dialogs for the user.
    explicit UpdaterManager(QObject* parent = nullptr);
    // Over a given updater, which the manager then owns.
    explicit UpdaterManager(std::unique_ptr<Updater> updater, QObject* parent = nullptr);

    // "https://updates.tolvane.me/apps/pellor/appcast.xml", built once, on first use.
    static const QUrl& appcastURL();
    // The feed address as text, as the updater is given it.
    static QString feedURLString();

    Updater* updater() const { return updater_; }
    bool canCheckForUpdates() const { return canCheckForUpdates_; }

signals:
    void canCheckForUpdatesChanged(bool canCheck);

private:
    void setCanCheckForUpdates(bool canCheck);

    Updater* updater_ = nullptr;
    bool canCheckForUpdates_ = false;
};

}  // namespace pellor
