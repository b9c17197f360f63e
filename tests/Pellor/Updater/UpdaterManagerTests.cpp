// The manager mirrors its updater's can-check state on the main thread, and the
// menu command follows it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <thread>

#include "Pellor/Updater/AppcastUpdater.h"
#include "Pellor/Updater/CheckForUpdatesAction.h"
#include "Pellor/Updater/UpdaterManager.h"
#include "tests/Pellor/Updater/UpdaterTestSupport.h"
#include "tests/Support/LocalHttpServer.h"

namespace pellor {
namespace {

// An updater whose state the test sets, from any thread.
class ScriptedUpdater : public Updater {
public:
    explicit ScriptedUpdater(bool canCheck) : canCheck_(canCheck) {}

    bool canCheckForUpdates() const override { return canCheck_; }
    void checkForUpdates() override { ++checks; }
    bool automaticallyChecksForUpdates() const override { return false; }
    void setAutomaticallyChecksForUpdates(bool) override {}
    bool automaticallyDownloadsUpdates() const override { return false; }
    void setAutomaticallyDownloadsUpdates(bool) override {}

    void announce(bool canCheck) {
        canCheck_ = canCheck;
        emit canCheckForUpdatesChanged(canCheck);
    }

    std::atomic<bool> canCheck_;
    int checks = 0;
};

TEST(UpdaterManager, TakesTheUpdatersStateAtOnceAndAnnouncesOnlyChanges) {
    for (bool initial : {false, true}) {
        auto owned = std::make_unique<ScriptedUpdater>(initial);
        ScriptedUpdater* updater = owned.get();
        UpdaterManager manager(std::move(owned));
        EXPECT_EQ(manager.canCheckForUpdates(), initial);
        EXPECT_EQ(manager.updater(), updater);
        QSignalSpy changes(&manager, &UpdaterManager::canCheckForUpdatesChanged);
        updater->announce(initial);
        updater->announce(initial);
        EXPECT_EQ(changes.count(), 0);
        updater->announce(!initial);
        updater->announce(!initial);
        ASSERT_EQ(changes.count(), 1);
        EXPECT_EQ(changes[0][0].toBool(), !initial);
        EXPECT_EQ(manager.canCheckForUpdates(), !initial);
    }
}

TEST(UpdaterManager, TakesAnAnnouncementFromAnotherThreadOnTheMainThread) {
    auto owned = std::make_unique<ScriptedUpdater>(false);
    ScriptedUpdater* updater = owned.get();
    UpdaterManager manager(std::move(owned));
    QThread* mainThread = QThread::currentThread();
    std::vector<QThread*> changedOn;
    QObject::connect(&manager, &UpdaterManager::canCheckForUpdatesChanged, [&] { changedOn.push_back(QThread::currentThread()); });

    std::thread announcer([&] { updater->announce(true); });
    announcer.join();
    // Announced, but not yet taken: that happens on the main thread's next turn.
    EXPECT_FALSE(manager.canCheckForUpdates());
    EXPECT_TRUE(changedOn.empty());
    ASSERT_TRUE(pellortest::runEventsUntil([&] { return manager.canCheckForUpdates(); }));
    ASSERT_EQ(changedOn.size(), 1u);
    EXPECT_EQ(changedOn[0], mainThread);
}

TEST(UpdaterManager, DropsAnAnnouncementThatArrivesAfterItIsGone) {
    auto owned = std::make_unique<ScriptedUpdater>(false);
    ScriptedUpdater* updater = owned.get();
    int changes = 0;
    {
        UpdaterManager manager(std::move(owned));
        QObject::connect(&manager, &UpdaterManager::canCheckForUpdatesChanged, [&] { ++changes; });
        std::thread([&] { updater->announce(true); }).join();
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(changes, 0);
}

TEST(UpdaterManager, GivesTheUpdaterTheFeedOnTheMakersUpdateHost) {
    EXPECT_EQ(UpdaterManager::appcastURL().scheme(), QStringLiteral("https"));
    EXPECT_EQ(UpdaterManager::appcastURL().host(), QStringLiteral("updates.tolvane.me"));
    EXPECT_TRUE(UpdaterManager::feedURLString().endsWith("/apps/pellor/appcast.xml"));
    EXPECT_TRUE(UpdaterManager::appcastURL().query().isEmpty());
}

TEST(CheckForUpdatesAction, IsDisabledWhileACheckRunsAndAsksTheUpdaterWhenChosen) {
    auto owned = std::make_unique<ScriptedUpdater>(false);
    ScriptedUpdater* updater = owned.get();
    UpdaterManager manager(std::move(owned));
    CheckForUpdatesAction action(manager);
    EXPECT_EQ(action.text(), QStringLiteral("Check for Updates…"));
    EXPECT_FALSE(action.isEnabled());
    updater->announce(true);
    EXPECT_TRUE(action.isEnabled());
    action.trigger();
    EXPECT_EQ(updater->checks, 1);
}

TEST(CheckForUpdatesAction, FollowsARealCheckFromStartToEnd) {
    QTemporaryDir folder;
    testsupport::LocalHttpServer server;
    server.setRoute("/feed.xml", {200, pellortest::feedOf({{"1.0"}}), false, false});
    auto presenter = std::make_shared<pellortest::RecordingPresenter>();
    UpdaterConfiguration configuration;
    configuration.feedURL = QUrl(QString::fromStdString(server.url("/feed.xml")));
    configuration.currentVersion = "1.0";
    configuration.settings = std::make_shared<QSettings>(folder.filePath("settings.ini"), QSettings::IniFormat);
    configuration.presenter = presenter;
    UpdaterManager manager(std::make_unique<AppcastUpdater>(std::move(configuration)));
    CheckForUpdatesAction action(manager);

    ASSERT_TRUE(action.isEnabled());
    action.trigger();
    EXPECT_FALSE(action.isEnabled());
    ASSERT_TRUE(pellortest::runEventsUntil([&] { return action.isEnabled(); }));
    ASSERT_EQ(presenter->shown.size(), 2u);
    EXPECT_EQ(presenter->shown[1].kind, pellortest::RecordingPresenter::Shown::Kind::upToDate);
}

}  // namespace
}  // namespace pellor
