#pragma once
// The viewer's updater: reads the update feed (an appcast, see AppcastParser)
// and tells the user through its presenter whether a newer Pellor exists.
//
// It starts when it is made: from then on it can check, and when automatic
// checks are on it checks at most once a day (the time of the last check is
// kept in the settings, so restarting does not check again). A check the user
// asks for reports every outcome; an automatic one says something only when
// there is an update, and when automatic downloads are on it first saves the
// package into the download folder. While a check (or its download) runs,
// canCheckForUpdates is false.
//
// Everything happens on the main thread; the network work and the reading of
// the feed run on transfer threads and their results come back through the Qt
// event loop. Owned by the
// UpdaterManager.

#include <QDateTime>
#include <QSettings>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <functional>
#include <memory>

#include "Pellor/Updater/MainThreadFetcher.h"
#include "Pellor/Updater/UpdateCheckResult.h"
#include "Pellor/Updater/UpdatePresenter.h"
#include "Pellor/Updater/Updater.h"
#include "Pellor/Updater/UpdaterSettings.h"

namespace pellor {

struct UpdaterConfiguration {
    QUrl feedURL;
    // The running version, compared with the feed's versions.
    QString currentVersion;
    // Compared with an item's minimum system version; empty: every item runs here.
    QString systemVersion;
    std::shared_ptr<QSettings> settings;
    std::shared_ptr<UpdatePresenter> presenter;
    // Where automatic downloads go; the user's download folder when empty.
    QString downloadFolder;
    // Now; the system clock when empty.
    std::function<QDateTime()> now;
    std::chrono::seconds timeout{30};
};

class AppcastUpdater : public Updater {
    Q_OBJECT

public:
    static constexpr std::chrono::hours automaticCheckInterval{24};

    explicit AppcastUpdater(UpdaterConfiguration configuration, QObject* parent = nullptr);
    ~AppcastUpdater() override;

    bool canCheckForUpdates() const override { return canCheck_; }
    void checkForUpdates() override;

    bool automaticallyChecksForUpdates() const override;
    void setAutomaticallyChecksForUpdates(bool enabled) override;
    bool automaticallyDownloadsUpdates() const override;
    void setAutomaticallyDownloadsUpdates(bool enabled) override;

    // When the next automatic check is due; none while automatic checks are off.
    std::optional<QDateTime> nextAutomaticCheckDate() const;

    // Runs the automatic check now when it is due (the timer calls this too).
    void checkIfDue();

private:
    enum class Origin { user, automatic };

    void startCheck(Origin origin);
    // What a fetched feed offers; any thread.
    static UpdateCheckResult evaluateFeed(const FetchResponse& response, const QString& currentVersion,
                                          const QString& systemVersion);
    void feedEvaluated(Origin origin, const UpdateCheckResult& result);
    void download(const AppcastItem& update);
    void finishCheck();
    void scheduleAutomaticCheck();
    void setCanCheck(bool canCheck);
    QDateTime now() const;

    UpdaterConfiguration configuration_;
    UpdaterSettings settings_;
    QTimer automaticCheckTimer_;
    bool canCheck_ = false;
    // Last: destroying it waits for the transfers that still reach this object.
    std::unique_ptr<MainThreadFetcher> fetcher_;
};

}  // namespace pellor
