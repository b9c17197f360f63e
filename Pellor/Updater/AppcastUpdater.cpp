#include "Pellor/Updater/AppcastUpdater.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include "Pellor/Updater/AppcastParser.h"
#include "Pellor/Updater/EnclosureFile.h"

namespace pellor {

AppcastUpdater::AppcastUpdater(UpdaterConfiguration configuration, QObject* parent)
    : Updater(parent),
      configuration_(std::move(configuration)),
      settings_(configuration_.settings),
      fetcher_(std::make_unique<MainThreadFetcher>(configuration_.timeout)) {
    if (configuration_.downloadFolder.isEmpty()) {
        configuration_.downloadFolder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    }
    automaticCheckTimer_.setSingleShot(true);
    connect(&automaticCheckTimer_, &QTimer::timeout, this, &AppcastUpdater::checkIfDue);
    // Started: able to check, unless an automatic check is due at once.
    setCanCheck(true);
    scheduleAutomaticCheck();
}

AppcastUpdater::~AppcastUpdater() = default;

bool AppcastUpdater::automaticallyChecksForUpdates() const { return settings_.automaticallyChecksForUpdates(); }

void AppcastUpdater::setAutomaticallyChecksForUpdates(bool enabled) {
    settings_.setAutomaticallyChecksForUpdates(enabled);
    scheduleAutomaticCheck();
}

bool AppcastUpdater::automaticallyDownloadsUpdates() const { return settings_.automaticallyDownloadsUpdates(); }

void AppcastUpdater::setAutomaticallyDownloadsUpdates(bool enabled) { settings_.setAutomaticallyDownloadsUpdates(enabled); }

void AppcastUpdater::checkForUpdates() {
    if (!canCheck_) return;
    startCheck(Origin::user);
}

std::optional<QDateTime> AppcastUpdater::nextAutomaticCheckDate() const {
    if (!automaticallyChecksForUpdates()) return std::nullopt;
    const auto last = settings_.lastCheckDate();
    if (!last) return now();
    return last->addSecs(std::chrono::duration_cast<std::chrono::seconds>(automaticCheckInterval).count());
}

void AppcastUpdater::checkIfDue() {
    const auto due = nextAutomaticCheckDate();
    if (!due || !canCheck_) return;
    if (*due <= now()) startCheck(Origin::automatic);
    else scheduleAutomaticCheck();
}

void AppcastUpdater::scheduleAutomaticCheck() {
    automaticCheckTimer_.stop();
    const auto due = nextAutomaticCheckDate();
    if (!due || !canCheck_) return;
    const qint64 wait = now().msecsTo(*due);
    if (wait <= 0) {
        startCheck(Origin::automatic);
        return;
    }
    // A clock set back far would give a wait beyond what a timer holds; a day
    // at the most keeps it checking.
    automaticCheckTimer_.start(std::chrono::milliseconds(std::min<qint64>(wait, 86'400'000)));
}

void AppcastUpdater::startCheck(Origin origin) {
    automaticCheckTimer_.stop();
    setCanCheck(false);
    settings_.setLastCheckDate(now());
    if (origin == Origin::user && configuration_.presenter) configuration_.presenter->showChecking();
    // The feed is read on the transfer's thread, so that a large or hostile
    // feed never holds the windows.
    fetcher_->fetchThen(configuration_.feedURL,
                        [this, origin, current = configuration_.currentVersion,
                         system = configuration_.systemVersion](const FetchResponse& response) -> std::function<void()> {
                            UpdateCheckResult result = evaluateFeed(response, current, system);
                            return [this, origin, result = std::move(result)] { feedEvaluated(origin, result); };
                        });
}

UpdateCheckResult AppcastUpdater::evaluateFeed(const FetchResponse& response, const QString& currentVersion,
                                               const QString& systemVersion) {
    if (!response.succeeded()) return UpdateCheckResult::failure(response.failureDescription());
    try {
        return evaluateAppcast(parseAppcast(*response.body), currentVersion, systemVersion);
    } catch (const AppcastError& error) {
        return UpdateCheckResult::failure(QCoreApplication::translate("Updater", "The update feed could not be read (%1).")
                                              .arg(QString::fromStdString(error.what())));
    }
}

void AppcastUpdater::feedEvaluated(Origin origin, const UpdateCheckResult& result) {
    UpdatePresenter* presenter = configuration_.presenter.get();
    if (origin == Origin::automatic) {
        // Automatic checks stay silent unless there is something to offer.
        if (result.update && settings_.automaticallyDownloadsUpdates()) {
            download(*result.update);
            return;
        }
        if (result.update && presenter) presenter->showUpdateAvailable(*result.update, std::nullopt);
    } else if (presenter) {
        switch (result.kind) {
            case UpdateCheckResult::Kind::updateAvailable: presenter->showUpdateAvailable(*result.update, std::nullopt); break;
            case UpdateCheckResult::Kind::upToDate: presenter->showUpToDate(configuration_.currentVersion); break;
            case UpdateCheckResult::Kind::failed: presenter->showError(result.errorMessage); break;
        }
    }
    finishCheck();
}

void AppcastUpdater::download(const AppcastItem& update) {
    const QString folder = configuration_.downloadFolder;
    fetcher_->fetchThen(update.enclosureURL, [this, update, folder](FetchResponse response) -> std::function<void()> {
        // On the transfer's thread: the file is written here, not on the main thread.
        std::optional<QString> saved;
        if (response.succeeded()) saved = saveEnclosure(*response.body, update, folder);
        return [this, update, saved] {
            // A failed download still offers the update, to be fetched by hand.
            if (configuration_.presenter) configuration_.presenter->showUpdateAvailable(update, saved);
            finishCheck();
        };
    });
}

void AppcastUpdater::finishCheck() {
    setCanCheck(true);
    scheduleAutomaticCheck();
}

void AppcastUpdater::setCanCheck(bool canCheck) {
    if (canCheck_ == canCheck) return;
    canCheck_ = canCheck;
    emit canCheckForUpdatesChanged(canCheck_);
}

QDateTime AppcastUpdater::now() const {
    return configuration_.now ? configuration_.now() : QDateTime::currentDateTimeUtc();
}

}  // namespace pellor
