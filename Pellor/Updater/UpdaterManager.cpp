#include "Pellor/Updater/UpdaterManager.h"

#include <QCoreApplication>
#include <QSettings>
#include <QSysInfo>

#include "Pellor/Updater/AppcastUpdater.h"
#include "Pellor/Updater/UpdateDialogs.h"
#include "Pellor/Updater/VersionComparison.h"

namespace pellor {

namespace {

std::unique_ptr<Updater> applicationUpdater() {
    UpdaterConfiguration configuration;
    configuration.feedURL = UpdaterManager::appcastURL();
    configuration.currentVersion = QCoreApplication::applicationVersion();
    // Items name the oldest Linux kernel they run on.
    configuration.systemVersion = numericVersionPrefix(QSysInfo::kernelVersion());
    configuration.settings = std::make_shared<QSettings>();
    configuration.presenter = std::make_shared<UpdateDialogs>();
    return std::make_unique<AppcastUpdater>(std::move(configuration));
}

}  // namespace

UpdaterManager::UpdaterManager(QObject* parent) : UpdaterManager(applicationUpdater(), parent) {}

UpdaterManager::UpdaterManager(std::unique_ptr<Updater> updater, QObject* parent) : QObject(parent) {
    updater_ = updater.release();
    updater_->setParent(this);
    // The receiver is this object, on the main thread: an announcement from
    // another thread is queued to it, one from the main thread arrives at once.
    connect(updater_, &Updater::canCheckForUpdatesChanged, this, &UpdaterManager::setCanCheckForUpdates);
    setCanCheckForUpdates(updater_->canCheckForUpdates());
}

const QUrl& UpdaterManager::appcastURL() {
    static const QUrl url(QStringLiteral("https://updates.tolvane.me/apps/pellor/appcast.xml"));
    return url;
}

QString UpdaterManager::feedURLString() { return appcastURL().toString(); }

void UpdaterManager::setCanCheckForUpdates(bool canCheck) {
    if (canCheckForUpdates_ == canCheck) return;
    canCheckForUpdates_ = canCheck;
    emit canCheckForUpdatesChanged(canCheck);
}

}  // namespace pellor
