// The updater against an HTTP server on 127.0.0.1 that the tests start: what a
// check finds, what the user is told, automatic checks and downloads.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include "Pellor/Updater/AppcastUpdater.h"
#include "tests/Pellor/Updater/UpdaterTestSupport.h"
#include "tests/Support/LocalHttpServer.h"

namespace pellor {
namespace {

using pellortest::FeedItem;
using pellortest::feedOf;
using pellortest::RecordingPresenter;
using pellortest::runEventsUntil;
using Shown = RecordingPresenter::Shown;

class AppcastUpdaterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        settings = std::make_shared<QSettings>(folder.filePath("settings.ini"), QSettings::IniFormat);
        presenter = std::make_shared<RecordingPresenter>();
    }

    std::unique_ptr<AppcastUpdater> makeUpdater(const std::string& path, std::chrono::seconds timeout = std::chrono::seconds(20)) {
        UpdaterConfiguration configuration;
        configuration.feedURL = QUrl(QString::fromStdString(server.url(path)));
        configuration.currentVersion = "1.2";
        configuration.systemVersion = "6.1";
        configuration.settings = settings;
        configuration.presenter = presenter;
        configuration.downloadFolder = folder.filePath("Downloads");
        configuration.now = [this] { return now; };
        configuration.timeout = timeout;
        return std::make_unique<AppcastUpdater>(std::move(configuration));
    }

    void serve(const std::string& path, int status, std::string body) { server.setRoute(path, {status, std::move(body), false, false}); }

    // A check the user asks for, run to its end. The call itself must not wait
    // for the network: only "checking" is shown when it returns. Callers wrap
    // it in ASSERT_NO_FATAL_FAILURE, since they read what it shows.
    void checkAndWait(AppcastUpdater& updater) {
        const std::size_t before = presenter->shown.size();
        updater.checkForUpdates();
        ASSERT_EQ(presenter->shown.size(), before + 1);
        EXPECT_EQ(presenter->shown.back().kind, Shown::Kind::checking);
        EXPECT_FALSE(updater.canCheckForUpdates());
        ASSERT_TRUE(runEventsUntil([&] { return presenter->shown.size() > before + 1; }));
        EXPECT_TRUE(updater.canCheckForUpdates());
    }

    QTemporaryDir folder;
    testsupport::LocalHttpServer server;
    std::shared_ptr<QSettings> settings;
    std::shared_ptr<RecordingPresenter> presenter;
    QDateTime now = QDateTime(QDate(2026, 12, 7), QTime(9, 0), Qt::UTC);
};

TEST_F(AppcastUpdaterTest, AUserCheckTellsWhatTheFeedSays) {
    struct Case {
        const char* name;
        int status;
        std::string body;
        Shown::Kind kind;
        const char* detail;  // the offered version, or a word of the message
    } cases[] = {
        {"newer", 200, feedOf({{"1.3.0", "1.3"}, {"1.2"}}), Shown::Kind::updateAvailable, "1.3"},
        {"same", 200, feedOf({{"1.2.0"}}), Shown::Kind::upToDate, "1.2"},
        {"older", 200, feedOf({{"1.1.9"}}), Shown::Kind::upToDate, "1.2"},
        {"not XML", 200, "<<<not a feed", Shown::Kind::error, "could not be read"},
        {"no items", 200, feedOf({}), Shown::Kind::error, "no versions"},
        {"404", 404, "missing", Shown::Kind::error, "404"},
        {"server error", 500, feedOf({{"9.0"}}), Shown::Kind::error, "500"},
    };
    for (const auto& c : cases) {
        const std::string path = std::string("/feeds/") + std::to_string(&c - cases) + ".xml";
        serve(path, c.status, c.body);
        auto updater = makeUpdater(path);
        ASSERT_TRUE(updater->canCheckForUpdates()) << c.name;
        ASSERT_NO_FATAL_FAILURE(checkAndWait(*updater));
        const Shown& shown = presenter->shown.back();
        EXPECT_EQ(shown.kind, c.kind) << c.name;
        const QString detail = shown.kind == Shown::Kind::updateAvailable ? shown.update.displayVersion() : shown.text;
        EXPECT_TRUE(detail.contains(QString::fromLatin1(c.detail))) << c.name << ": " << detail.toStdString();
        EXPECT_FALSE(shown.downloadedFile.has_value()) << c.name;
    }
    EXPECT_TRUE(QDir(folder.filePath("Downloads")).isEmpty());
}

TEST_F(AppcastUpdaterTest, AServerThatNeverAnswersEndsInATimeoutWhileTheMainThreadRuns) {
    server.setRoute("/hang.xml", {200, "", false, true});
    auto updater = makeUpdater("/hang.xml", std::chrono::seconds(1));
    int turns = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++turns; });
    ticker.start(0);
    ASSERT_NO_FATAL_FAILURE(checkAndWait(*updater));
    EXPECT_EQ(presenter->shown.back().kind, Shown::Kind::error);
    EXPECT_TRUE(presenter->shown.back().text.contains("in time")) << presenter->shown.back().text.toStdString();
    // The event loop kept turning during the wait.
    EXPECT_GT(turns, 1);
}

TEST_F(AppcastUpdaterTest, ACheckCannotStartWhileOneRuns) {
    server.setRoute("/hang.xml", {200, "", false, true});
    auto updater = makeUpdater("/hang.xml", std::chrono::seconds(1));
    updater->checkForUpdates();
    updater->checkForUpdates();
    ASSERT_TRUE(runEventsUntil([&] { return updater->canCheckForUpdates(); }));
    EXPECT_EQ(server.requestCount(), 1);
    EXPECT_EQ(presenter->shown.size(), 2u);
}

TEST_F(AppcastUpdaterTest, ChecksByItselfAtMostOnceADayAndOnlyWhenAllowed) {
    serve("/feed.xml", 200, feedOf({{"1.2"}}));
    struct Case {
        const char* name;
        bool automatic;
        std::optional<qint64> lastCheckAgo;  // seconds; none: never checked
        bool checks;
    } cases[] = {
        {"off", false, std::nullopt, false},
        {"never checked", true, std::nullopt, true},
        {"a day and a second ago", true, 86'401, true},
        {"exactly a day ago", true, 86'400, true},
        {"23 hours ago", true, 23 * 3600, false},
        {"unreadable last check", true, -1, true},
    };
    for (const auto& c : cases) {
        settings->clear();
        const int requests = server.requestCount();
        if (c.automatic) settings->setValue("Updates/automaticallyChecksForUpdates", true);
        if (c.lastCheckAgo == -1) settings->setValue("Updates/lastCheckDate", "yesterday");
        else if (c.lastCheckAgo) settings->setValue("Updates/lastCheckDate", now.addSecs(-*c.lastCheckAgo).toString(Qt::ISODateWithMs));
        auto updater = makeUpdater("/feed.xml");
        EXPECT_EQ(updater->canCheckForUpdates(), !c.checks) << c.name;
        ASSERT_TRUE(runEventsUntil([&] { return updater->canCheckForUpdates(); })) << c.name;
        EXPECT_EQ(server.requestCount() - requests, c.checks ? 1 : 0) << c.name;
        if (c.checks) {
            // Up to date: an automatic check says nothing, and waits a day from now.
            EXPECT_TRUE(presenter->shown.empty()) << c.name;
            EXPECT_EQ(QSettings(folder.filePath("settings.ini"), QSettings::IniFormat).value("Updates/lastCheckDate"),
                      now.toString(Qt::ISODateWithMs)) << c.name;
            EXPECT_EQ(updater->nextAutomaticCheckDate(), now.addDays(1)) << c.name;
        }
    }
}

TEST_F(AppcastUpdaterTest, TurningAutomaticChecksOnChecksWhenDueAndTheDueTimeFollowsTheClock) {
    serve("/feed.xml", 200, feedOf({{"1.4", "1.4"}}));
    auto updater = makeUpdater("/feed.xml");
    EXPECT_EQ(updater->nextAutomaticCheckDate(), std::nullopt);
    updater->setAutomaticallyChecksForUpdates(true);
    ASSERT_TRUE(runEventsUntil([&] { return presenter->shown.size() == 1; }));
    EXPECT_EQ(presenter->shown[0].kind, Shown::Kind::updateAvailable);

    now = now.addSecs(86'399);
    updater->checkIfDue();
    EXPECT_TRUE(updater->canCheckForUpdates());
    now = now.addSecs(1);
    updater->checkIfDue();
    EXPECT_FALSE(updater->canCheckForUpdates());
    ASSERT_TRUE(runEventsUntil([&] { return presenter->shown.size() == 2; }));
    EXPECT_EQ(server.requestCount(), 2);
}

TEST_F(AppcastUpdaterTest, AnAutomaticDownloadSavesThePackageAndSaysWhere) {
    const std::string package(70'000, 'p');
    server.setRoute("/Pellor-1.3.tar.gz", {200, package, false, false});
    server.setRoute("/Short-1.3.tar.gz", {200, package.substr(10), false, false});
    struct Case {
        const char* name;
        std::string enclosure;
        bool saved;
    } cases[] = {
        {"whole", "/Pellor-1.3.tar.gz", true},
        {"shorter than the feed says", "/Short-1.3.tar.gz", false},
        {"missing", "/Gone-1.3.tar.gz", false},
    };
    settings->setValue("Updates/automaticallyDownloadsUpdates", true);
    for (const auto& c : cases) {
        serve("/feed.xml", 200, feedOf({{"1.3", "1.3", server.url(c.enclosure), static_cast<long long>(package.size())}}));
        presenter->shown.clear();
        settings->remove("Updates/lastCheckDate");
        settings->setValue("Updates/automaticallyChecksForUpdates", true);
        auto updater = makeUpdater("/feed.xml");
        ASSERT_TRUE(runEventsUntil([&] { return !presenter->shown.empty(); })) << c.name;
        EXPECT_TRUE(updater->canCheckForUpdates()) << c.name;
        const Shown& shown = presenter->shown[0];
        EXPECT_EQ(shown.kind, Shown::Kind::updateAvailable) << c.name;
        EXPECT_EQ(shown.update.displayVersion(), QStringLiteral("1.3")) << c.name;
        ASSERT_EQ(shown.downloadedFile.has_value(), c.saved) << c.name;
        if (!c.saved) continue;
        EXPECT_EQ(*shown.downloadedFile, QDir(folder.filePath("Downloads")).absoluteFilePath("Pellor-1.3.tar.gz"));
        QFile file(*shown.downloadedFile);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll().toStdString(), package);
    }
    EXPECT_EQ(QDir(folder.filePath("Downloads")).entryList(QDir::Files).size(), 1);
}

TEST_F(AppcastUpdaterTest, AUserCheckOffersTheUpdateWithoutDownloadingIt) {
    serve("/feed.xml", 200, feedOf({{"1.3", "1.3", server.url("/Pellor-1.3.tar.gz")}}));
    settings->setValue("Updates/automaticallyDownloadsUpdates", true);
    auto updater = makeUpdater("/feed.xml");
    ASSERT_NO_FATAL_FAILURE(checkAndWait(*updater));
    EXPECT_EQ(presenter->shown.back().kind, Shown::Kind::updateAvailable);
    EXPECT_FALSE(presenter->shown.back().downloadedFile.has_value());
    EXPECT_EQ(server.requestCount(), 1);
}

TEST_F(AppcastUpdaterTest, KeepsBothSettingsInTheSettingsFile) {
    auto updater = makeUpdater("/feed.xml");
    EXPECT_FALSE(updater->automaticallyChecksForUpdates());
    EXPECT_FALSE(updater->automaticallyDownloadsUpdates());
    updater->setAutomaticallyDownloadsUpdates(true);
    const QSettings file(folder.filePath("settings.ini"), QSettings::IniFormat);
    EXPECT_TRUE(file.value("Updates/automaticallyDownloadsUpdates").toBool());
    EXPECT_FALSE(file.value("Updates/automaticallyChecksForUpdates", false).toBool());
    updater.reset();
    EXPECT_TRUE(makeUpdater("/feed.xml")->automaticallyDownloadsUpdates());
}

TEST_F(AppcastUpdaterTest, GoingAwayDuringACheckReportsNothingMore) {
    server.setRoute("/hang.xml", {200, "", false, true});
    auto updater = makeUpdater("/hang.xml");
    updater->checkForUpdates();
    updater.reset();
    QCoreApplication::processEvents();
    ASSERT_EQ(presenter->shown.size(), 1u);
    EXPECT_EQ(presenter->shown[0].kind, Shown::Kind::checking);
}

}  // namespace
}  // namespace pellor
