// The application shell: the welcome window first, the menus of every window,
// opening documents once each, drops, unreadable files, the recent list and
// where the open panel starts.
#include <QApplication>
#include <QDropEvent>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <iostream>
#include <sstream>
#include <thread>

#include "Lottie/Playback/LottieLogger.h"
#include "Pellor/App/DesktopServices.h"
#include "Pellor/App/RecentDocuments.h"
#include "Pellor/Review/ReviewPage.h"
#include "Pellor/App/SceneWindow.h"
#include "Pellor/App/WebAddresses.h"
#include "Pellor/Player/DocumentWindow.h"
#include "Pellor/Player/LottiePlayerView.h"
#include "Pellor/Updater/MessageBoxLayout.h"
#include "Pellor/Updater/Updater.h"
#include "tests/EngineComparison/Support/HostileDocuments.h"
#include "tests/Lottie/DotLottie/Package/PackageTestSupport.h"
#include "tests/Pellor/App/PellorTestSupport.h"

namespace {

using pellor::SceneWindow;
using pellortest::PellorTest;
using pellortest::visibleOpenPanel;

QStringList visibleWindowTitles() {
    QStringList titles;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && qobject_cast<QMainWindow*>(widget)) titles << widget->windowTitle();
    }
    return titles;
}

// The message box on screen, if one is.
QMessageBox* visibleMessageBox() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box && box->isVisible()) return box;
    }
    return nullptr;
}

TEST_F(PellorTest, StartingShowsTheWelcomeWindowFirstThenTheDocumentsOfTheCommandLine) {
    app->start({});
    SceneWindow* welcome = SceneWindow::find(QStringLiteral("welcome"));
    ASSERT_NE(welcome, nullptr);
    EXPECT_TRUE(welcome->isVisible());
    EXPECT_EQ(welcome->windowTitle(), QStringLiteral("Welcome"));
    EXPECT_EQ(visibleWindowTitles(), QStringList{QStringLiteral("Welcome")});
    EXPECT_EQ(SceneWindow::find(QStringLiteral("about")), nullptr) << "made only when asked for";

    const QString clip = write("clip.json", pellortest::animationDocument());
    pellor::PellorApp second;
    second.start({clip});
    EXPECT_NE(second.documentWindow(clip), nullptr);
    EXPECT_TRUE(alerts.empty());

    // Ctrl+Q typed into the welcome window while the documents open, read only
    // once their windows have shown and closed it, quits all the same.
    remakeApp(std::make_unique<pellortest::FakeUpdater>());
    app->start({clip});
    QPointer<QWidget> document = app->documentWindow(clip);
    ASSERT_NE(document, nullptr);
    welcome = SceneWindow::find(QStringLiteral("welcome"));
    ASSERT_NE(welcome, nullptr);
    ASSERT_FALSE(welcome->isVisible()) << "the document's window closed it";
    ASSERT_NE(welcome->windowHandle(), nullptr);
    // The window manager has not yet made the document's window active: the
    // focus is still elsewhere, in a window with no shortcuts of the viewer's.
    QWidget elsewhere;
    elsewhere.show();
    QApplication::setActiveWindow(&elsewhere);
    settle();
    ASSERT_EQ(QApplication::activeWindow(), &elsewhere);
    QTest::keyClick(welcome->windowHandle(), Qt::Key_Q, Qt::ControlModifier);
    settle();
    EXPECT_FALSE(document && document->isVisible()) << "the viewer quits";
}

TEST_F(PellorTest, EveryWindowHasTheFileAndHelpMenusWithExactlyTheirCommands) {
    app->start({});
    const QString clip = write("clip.json", pellortest::animationDocument());
    auto* document = qobject_cast<QMainWindow*>(app->openDocuments({clip}, nullptr).value(0));
    ASSERT_NE(document, nullptr);
    for (QMainWindow* window : {static_cast<QMainWindow*>(SceneWindow::find(QStringLiteral("welcome"))), document,
                                static_cast<QMainWindow*>(app->openWindow(QStringLiteral("about")))}) {
        SCOPED_TRACE(window->windowTitle().toStdString());
        // A document window adds the player's commands between the two.
        const bool isDocument = window == document;
        const QStringList titles = isDocument ? QStringList{QStringLiteral("File"), QStringLiteral("Player"), QStringLiteral("Help")}
                                              : QStringList{QStringLiteral("File"), QStringLiteral("Help")};
        EXPECT_EQ(pellortest::menuTitles(*window), titles) << "no New, Edit or View";
        QList<QAction*> menus = window->menuBar()->actions();
        if (isDocument) menus.removeAt(1);
        EXPECT_EQ(pellortest::itemTexts(menus[0]->menu()->actions()),
                  (QStringList{QStringLiteral("Open\u2026"), QStringLiteral("Open Recent"), QStringLiteral("-"),
                               QStringLiteral("Close"), QStringLiteral("-"), QStringLiteral("Settings\u2026"),
                               QStringLiteral("-"), QStringLiteral("Quit")}));
        EXPECT_EQ(pellortest::itemTexts(menus[1]->menu()->actions()),
                  (QStringList{QStringLiteral("About Pellor"), QStringLiteral("Check for Updates\u2026"),
                               QStringLiteral("-"), QStringLiteral("Developer Website")}));
        EXPECT_EQ(pellortest::menuAction(*window, QStringLiteral("File"), QStringLiteral("Open\u2026"))->shortcut(),
                  QKeySequence(QKeySequence::Open));
        EXPECT_FALSE(pellortest::menuAction(*window, QStringLiteral("Help"), QStringLiteral("Check for Updates\u2026"))
                         ->isEnabled())
            << "disabled until an updater says it can check";
    }
}

TEST_F(PellorTest, HelpCommandsFollowTheUpdaterAndOpenTheirTargets) {
    auto owned = std::make_unique<pellortest::FakeUpdater>();
    pellortest::FakeUpdater* updater = owned.get();
    remakeApp(std::move(owned));
    app->start({});
    SceneWindow& welcome = *SceneWindow::find(QStringLiteral("welcome"));
    QAction* check = pellortest::menuAction(welcome, QStringLiteral("Help"), QStringLiteral("Check for Updates\u2026"));
    EXPECT_FALSE(check->isEnabled());
    updater->set(true);
    EXPECT_TRUE(check->isEnabled());
    check->trigger();
    EXPECT_EQ(updater->checks, 1);
    updater->set(false);
    EXPECT_FALSE(check->isEnabled());

    pellortest::menuAction(welcome, QStringLiteral("Help"), QStringLiteral("Developer Website"))->trigger();
    ASSERT_EQ(openedUrls.size(), 1u);
    EXPECT_EQ(openedUrls[0], pellor::developerWebsiteURL());
    EXPECT_EQ(openedUrls[0].scheme(), QStringLiteral("https"));
    EXPECT_TRUE(openedUrls[0].path().isEmpty() && openedUrls[0].query().isEmpty());

    pellortest::menuAction(welcome, QStringLiteral("Help"), QStringLiteral("About Pellor"))->trigger();
    SceneWindow* about = SceneWindow::find(QStringLiteral("about"));
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About Pellor"));
    pellortest::menuAction(welcome, QStringLiteral("File"), QStringLiteral("Settings\u2026"))->trigger();
    ASSERT_NE(SceneWindow::find(QStringLiteral("settings")), nullptr);
    EXPECT_TRUE(SceneWindow::find(QStringLiteral("settings"))->isVisible());
    pellortest::menuAction(*about, QStringLiteral("File"), QStringLiteral("Close"))->trigger();
    EXPECT_FALSE(about->isVisible()) << "Close closes the window whose menu it is";
    EXPECT_TRUE(welcome.isVisible());
}

TEST_F(PellorTest, EachDocumentOpensOneWindowAndOpeningItAgainRaisesThatWindow) {
    const QString json = write("clip.json", pellortest::animationDocument());
    const QString package = write("clip.lottie", pellortest::packageDocument());
    app->start({});
    struct Case {
        QString path;
        pellor::DocumentKind kind;
    };
    for (const Case& c : {Case{json, pellor::DocumentKind::json}, Case{package, pellor::DocumentKind::lottie}}) {
        const auto windows = app->openDocuments({c.path}, nullptr);
        ASSERT_EQ(windows.size(), 1);
        auto* window = qobject_cast<pellor::DocumentWindow*>(windows[0]);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->document().kind(), c.kind);
        EXPECT_EQ(window->windowTitle(), QFileInfo(c.path).fileName());
        EXPECT_TRUE(window->identifier().isEmpty()) << "document windows carry no identifier";
    }
    EXPECT_EQ(app->documentWindows().size(), 2);

    // Again, also by another spelling of the same path, and after the window was minimised.
    QWidget* first = app->documentWindow(json);
    first->showMinimized();
    const QString sameFile = QString::fromStdString((folder.path() / "." / "clip.json").string());
    const auto again = app->openDocuments({sameFile}, nullptr);
    ASSERT_EQ(again.size(), 1);
    EXPECT_EQ(again[0], first);
    EXPECT_FALSE(first->isMinimized());
    EXPECT_EQ(app->documentWindows().size(), 2);
    EXPECT_TRUE(alerts.empty());

    // Closed, it is forgotten: opening it again makes a new window.
    first->close();
    settle();
    EXPECT_EQ(app->documentWindows().size(), 1);
    EXPECT_EQ(app->documentWindow(json), nullptr);
    EXPECT_EQ(app->openDocuments({json}, nullptr).size(), 1);
    EXPECT_EQ(app->documentWindows().size(), 2);
}

TEST_F(PellorTest, DroppedDocumentsOpenAndThoseThatCannotBeReadAreReported) {
    const QString json = write("clip.json", pellortest::animationDocument());
    const QString package = write("clip.lottie", pellortest::packageDocument());
    const QString text = write("notes.txt", "Remember the milk.\n");
    const QString gone = missing("gone.json");
    app->start({});
    for (QWidget* target : {static_cast<QWidget*>(SceneWindow::find(QStringLiteral("welcome")))}) {
        ASSERT_NO_FATAL_FAILURE(drop(*target, {json, text, package, gone}));
    }
    EXPECT_NE(app->documentWindow(json), nullptr);
    EXPECT_NE(app->documentWindow(package), nullptr);
    EXPECT_EQ(app->documentWindows().size(), 2);
    // The text file is no document and is left out silently; the document that has gone is reported.
    ASSERT_EQ(alerts.size(), 1u) << "one report for the drop";
    EXPECT_TRUE(alerts[0].message.contains(QStringLiteral("gone.json"))) << alerts[0].message.toStdString();
    EXPECT_FALSE(alerts[0].message.contains(QStringLiteral("notes.txt")) || alerts[0].detail.contains(QStringLiteral("notes.txt")));

    // A document window takes drops as well; what is open already is raised, not reported.
    alerts.clear();
    const QString other = write("other.json", pellortest::animationDocument(30));
    ASSERT_NO_FATAL_FAILURE(drop(*app->documentWindow(json), {other, package}));
    EXPECT_NE(app->documentWindow(other), nullptr);
    EXPECT_EQ(app->documentWindows().size(), 3);
    EXPECT_TRUE(alerts.empty());
}

TEST_F(PellorTest, ManyFilesOpenAFewAtOnceThenOnePerTurnAndFailuresAreReportedAtTheEnd) {
    app->start({});
    QStringList paths;
    for (int index = 0; index < 14; ++index) {
        const std::string name = "clip" + std::to_string(index) + ".json";
        paths << (index == 5 || index == 13 ? missing(name) : write(name, pellortest::animationDocument(10)));
    }
    const auto windows = app->openDocuments(paths, nullptr);
    EXPECT_EQ(windows.size(), pellor::PellorApp::documentsOpenedAtOnce);
    EXPECT_EQ(app->documentWindows().size(), pellor::PellorApp::documentsOpenedAtOnce) << "the rest wait for the event loop";
    EXPECT_TRUE(alerts.empty());
    QCoreApplication::processEvents();
    EXPECT_LT(app->documentWindows().size(), 12) << "one turn does not open them all";
    EXPECT_TRUE(alerts.empty()) << "failures are reported once every file was tried";

    runUntil([this] { return !alerts.empty(); });
    EXPECT_EQ(app->documentWindows().size(), 12);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_TRUE(alerts[0].message.contains(QStringLiteral("2 files"))) << alerts[0].message.toStdString();
    EXPECT_TRUE(alerts[0].detail.contains(QStringLiteral("clip5.json"))) << alerts[0].detail.toStdString();
    EXPECT_TRUE(alerts[0].detail.contains(QStringLiteral("clip13.json"))) << alerts[0].detail.toStdString();
}

TEST_F(PellorTest, AFileThatCannotBeOpenedIsReportedByName) {
    app->start({});
    struct Case {
        const char* name;
        QString path;
        const char* detail;
    };
    const Case cases[] = {
        {"text", write("readme.txt", "plain words"), "neither"},
        {"image", write("picture.png", "\x89PNG\r\n\x1A\n...."), "neither"},
        {"missing", missing("absent.json"), "exist"},
        {"folder", QString::fromStdString(folder.path().string()), "regular"},
    };
    for (const Case& c : cases) {
        alerts.clear();
        EXPECT_TRUE(app->openDocuments({c.path}, nullptr).isEmpty()) << c.name;
        ASSERT_EQ(alerts.size(), 1u) << c.name;
        EXPECT_EQ(alerts[0].message,
                  QStringLiteral("The file \u201C%1\u201D couldn\u2019t be opened.").arg(QFileInfo(c.path).fileName()))
            << c.name;
        EXPECT_TRUE(alerts[0].detail.contains(QLatin1String(c.detail))) << c.name << ": " << alerts[0].detail.toStdString();
    }
    EXPECT_TRUE(app->documentWindows().isEmpty());
}

TEST_F(PellorTest, RecentDocumentsKeepTheTenNewestAcrossRunsAndFillTheMenu) {
    QStringList opened;
    for (int index = 0; index < 12; ++index) {
        opened << write("clip" + std::to_string(index) + ".json", pellortest::animationDocument(10));
    }
    app->start({});
    for (const QString& path : opened) app->openDocuments({path}, nullptr);
    // Each is listed once it has opened.
    runUntil([this, &opened] { return documentsLoaded(opened.size()); });
    app->openDocuments({opened[3]}, nullptr);  // already open: it still becomes the newest

    QStringList expected{opened[3], opened[11], opened[10], opened[9], opened[8],
                         opened[7], opened[6],  opened[5],  opened[4], opened[2]};
    EXPECT_EQ(pellor::RecentDocuments().paths(), expected) << "read back by a new object, as the next run would";

    SceneWindow& welcome = *SceneWindow::find(QStringLiteral("welcome"));
    QAction* recent = pellortest::menuAction(welcome, QStringLiteral("File"), QStringLiteral("Open Recent"));
    ASSERT_NE(recent, nullptr);
    QStringList names;
    for (const QAction* item : recent->menu()->actions()) names << item->data().toString();
    EXPECT_EQ(names, expected);

    app->recentDocuments().clear();
    EXPECT_TRUE(recent->menu()->actions().isEmpty());
    EXPECT_FALSE(recent->menu()->isEnabled());
}

TEST_F(PellorTest, OnlyDocumentsThatOpenedAreListedAmongTheRecentOnes) {
    struct Case {
        const char* name;
        std::string bytes;
        bool listed;
    };
    const Case cases[] = {
        {"notes.json", "Remember the milk.\n", false},
        {"empty.json", "", false},
        {"truncated.lottie", pellortest::packageDocument().substr(0, 40), false},
        {"clip.json", pellortest::animationDocument(10), true},
        {"clip.lottie", pellortest::packageDocument(), true},
    };
    QStringList paths;
    QStringList listed;
    for (const Case& c : cases) {
        paths << write(c.name, c.bytes);
        if (c.listed) listed.prepend(paths.last());
    }
    // Known from an earlier run, when it still opened.
    app->recentDocuments().note(paths[0]);
    app->start(paths);
    runUntil([this, &cases] { return documentsLoaded(std::size(cases)); });
    ASSERT_EQ(app->documentWindows().size(), static_cast<qsizetype>(std::size(cases)));
    QStringList recent = pellor::RecentDocuments().paths();
    std::sort(recent.begin(), recent.end());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(recent, listed) << "the failures are neither added nor kept";

    // Asked for again while its window shows the failure, it is still not listed.
    app->openDocuments({paths[1]}, nullptr);
    EXPECT_FALSE(pellor::RecentDocuments().paths().contains(paths[1]));
}

// Sends what is written to standard error to a string, for the length of a scope.
class CapturedStandardError {
public:
    CapturedStandardError() : kept_(std::cerr.rdbuf(text_.rdbuf())) {}
    ~CapturedStandardError() { std::cerr.rdbuf(kept_); }
    std::string text() const { return text_.str(); }

private:
    std::ostringstream text_;
    std::streambuf* kept_;
};

long occurrences(const std::string& text, const std::string& part) {
    long count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
    return count;
}

TEST_F(PellorTest, StartingSendsTheLibrarysLogToStandardErrorEachTextOnceNamingItsDocument) {
    // A luma matte: the automatic option falls back to the main-thread engine and says why.
    const std::string square = hostiletest::rect(256, 256, 200) + "," + hostiletest::greenFill;
    const std::string mattedDocument = hostiletest::document(hostiletest::shapeLayer(1, square, R"(,"td":1)") + "," +
                                                             hostiletest::shapeLayer(2, square, R"(,"tt":3)"));
    const QString matted = write("matted.json", mattedDocument);
    const QString copy = write("copy.json", mattedDocument);
    // Two documents of one file name, in two folders.
    std::filesystem::create_directories(folder.path() / "a");
    std::filesystem::create_directories(folder.path() / "b");
    const QString first = write("a/data.json", mattedDocument);
    const QString second = write("b/data.json", mattedDocument);
    // Images that are not there: a file that is missing, and a folder named like the image.
    std::filesystem::create_directories(folder.path() / "shelf.png");
    const auto picture = [](int index) {
        return R"({"ty":2,"nm":"P","ind":)" + std::to_string(index) + R"(,"refId":"image_)" + std::to_string(index) +
               R"(","ip":0,"op":60,"st":0,"ks":{}})";
    };
    const std::string picturedDocument =
        hostiletest::document(picture(0) + "," + picture(1), R"([{"id":"image_0","w":64,"h":64,"u":"","p":"gone.png"},)"
                                                             R"({"id":"image_1","w":64,"h":64,"u":"","p":"shelf.png"}])");
    const QString pictured = write("pictured.json", picturedDocument);
    const std::string brokenImageDocument =
        hostiletest::document(picture(0), R"([{"id":"image_0","w":64,"h":64,"u":"","p":"broken.png"}])");
    const QString brokenImageFirst = write("a/doc-img.json", brokenImageDocument);
    const QString brokenImageSecond = write("b/doc-img.json", brokenImageDocument);
    write("a/broken.png", "not a picture");
    write("b/broken.png", "not a picture either");
    // And so under each engine chosen outright.
    const std::pair<const char*, lottie::RenderingEngineOption> engines[] = {
        {"main-thread.json", lottie::RenderingEngineOption::mainThread()},
        {"core-animation.json", lottie::RenderingEngineOption::coreAnimation()},
    };
    // Warnings the library raises through its shared logger: on the loading
    // thread (a package whose animation cannot be decoded), while setting up
    // and drawing the first frame (a list of too many shape items; a package
    // image that cannot be read) and while playing on (a dash pattern of too
    // many pieces from the second frame on), the main-thread engine's two under
    // the automatic option too, as the luma matte sends it there.
    const std::string dash = R"({"a":1,"k":[{"t":0,"s":[10],"h":1},{"t":1,"s":[0.02],"h":1}]})";
    const std::string dashed = R"({"ty":"st","nm":"S","c":{"a":0,"k":[0,0,1,1]},"o":{"a":0,"k":100},"w":{"a":0,"k":2},)"
                               R"("lc":1,"lj":1,"d":[{"n":"d","nm":"d","v":)" + dash + R"(},{"n":"g","nm":"g","v":)" +
                               dash + "}]}";
    const std::string heavy = hostiletest::document(
        hostiletest::shapeLayer(1, square, R"(,"td":1)") + "," + hostiletest::shapeLayer(2, square, R"(,"tt":3)") + "," +
        hostiletest::shapeLayer(3, hostiletest::rect(256, 256, 400) + "," + dashed) + "," +
        hostiletest::shapeLayer(4, hostiletest::listOf(1001, [](int) { return hostiletest::rect(256, 256, 10); }) + "," +
                                       hostiletest::greenFill));
    const auto package = [](const std::string& animation, std::vector<ziptest::TestEntry> more) {
        more.push_back(ziptest::TestEntry::file("manifest.json", packagetest::manifestJson({"a"}, "2")));
        more.push_back(ziptest::TestEntry::file("a/a.json", animation));
        const platform::foundation::Data data = packagetest::zipped(more);
        return std::string(reinterpret_cast<const char*>(data.data()), data.size());
    };
    ziptest::TestEntry damaged = ziptest::TestEntry::file("i/damaged.png", packagetest::pngOf(4, 4, 0x0000ffff), 8);
    damaged.crcOverride = 0x12345678;
    const std::string unreadableImage = package(packagetest::imageAnimationJson("damaged.png", 4, 4), {damaged});
    const QString undecodable = write("undecodable.lottie", package("{\"v\":", {}));
    const std::pair<const char*, lottie::RenderingEngineOption> allEngines[] = {
        {"automatic", lottie::RenderingEngineOption::automatic()},
        {"main-thread", lottie::RenderingEngineOption::mainThread()},
        {"core-animation", lottie::RenderingEngineOption::coreAnimation()},
    };
    const std::shared_ptr<lottie::LottieLogger> kept = lottie::LottieLogger::shared();
    std::string logged;
    {
        const CapturedStandardError captured;
        app->start({matted});
        auto* window = qobject_cast<pellor::DocumentWindow*>(app->documentWindow(matted));
        ASSERT_NE(window, nullptr);
        runUntil([window] { return window->player()->animation() != nullptr; });
        frame(*window);
        // The same document again, in a window of its own: the same text is not repeated.
        window->close();
        settle();
        ASSERT_NE(openPlayer(matted), nullptr);
        frame(*qobject_cast<pellor::DocumentWindow*>(app->documentWindow(matted)));
        // Another document falling back for the same reason says so of itself,
        // as do two of one file name opened together, each by its folder.
        app->openDocuments({copy, first, second, pictured}, nullptr);
        runUntil([this] { return documentsLoaded(5); });
        for (const QString& other : {copy, first, second, pictured}) {
            frame(*qobject_cast<pellor::DocumentWindow*>(app->documentWindow(other)));
        }
        // Two of one file name opened together, each with an image that cannot
        // be decoded, which its loading thread reports at once: the first
        // reports before the second opens, a turn of the event loop later.
        app->openDocuments({brokenImageFirst, missing("gone-1.json"), missing("gone-2.json"), missing("gone-3.json"),
                            brokenImageSecond},
                           nullptr);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        runUntil([this] { return documentsLoaded(7); });
        for (const QString& other : {brokenImageFirst, brokenImageSecond}) {
            frame(*qobject_cast<pellor::DocumentWindow*>(app->documentWindow(other)));
        }
        for (const auto& [name, engine] : engines) {
            const pellortest::SharedEngine chosen(engine);
            pellor::DocumentWindow* window = openPlayer(write(name, picturedDocument));
            ASSERT_NE(window, nullptr);
            frame(*window);
        }
        for (const auto& [engine, option] : allEngines) {
            const pellortest::SharedEngine chosen(option);
            for (const auto& [name, bytes] : {std::pair{std::string("heavy-") + engine + ".json", heavy},
                                              std::pair{std::string("image-") + engine + ".lottie", unreadableImage}}) {
                pellor::DocumentWindow* window = openPlayer(write(name, bytes));
                ASSERT_NE(window, nullptr);
                frame(*window, 0.5);
            }
        }
        ASSERT_NE(openPlayer(undecodable), nullptr);
        // "Write a Review" where no program opens the review page: Qt says so
        // itself, before the alert, and under the same prefix.
        {
            const QByteArray path = qgetenv("PATH");
            qputenv("PATH", "");
            app->setDesktopServices(std::make_unique<pellor::DesktopServices>());
            EXPECT_FALSE(app->openReviewPageOrReport(app->documentWindow(copy)));
            qputenv("PATH", path);
        }
        logged = captured.text();
    }
    lottie::LottieLogger::setShared(kept);
    const char* const issue = ": Encountered Core Animation compatibility issue";
    for (const char* name : {"matted.json", "copy.json", "a/data.json", "b/data.json"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(occurrences(logged, std::string("pellor: ") + name + issue), 1) << logged;
        EXPECT_EQ(occurrences(logged, std::string("pellor: ") + name + ": Automatically falling back"), 1) << logged;
    }
    // And heavy-automatic.json below.
    EXPECT_EQ(occurrences(logged, "Automatically falling back to Main Thread rendering engine"), 5) << logged;
    for (const char* name : {"pictured.json", "main-thread.json", "core-animation.json"}) {
        SCOPED_TRACE(name);
        for (const char* image : {"gone.png", "shelf.png"}) {
            EXPECT_EQ(occurrences(logged, std::string("pellor: ") + name + ": Could not find image \"" + image + "\" in bundle"), 1)
                << logged;
        }
    }
    for (const char* name : {"a/doc-img.json", "b/doc-img.json"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(occurrences(logged, std::string("pellor: ") + name + ": Image \"broken.png\" at "), 1) << logged;
    }
    EXPECT_EQ(occurrences(logged, "pellor: doc-img.json: "), 0) << "under a name that fits both: " << logged;
    std::vector<std::string> names{"a/doc-img.json", "b/doc-img.json", "matted.json", "copy.json", "a/data.json", "b/data.json",
                                   "pictured.json", "main-thread.json", "core-animation.json", "undecodable.lottie"};
    EXPECT_EQ(occurrences(logged, "pellor: undecodable.lottie: A dotLottie animation could not be decoded"), 1) << logged;
    // Qt's own message, named by no document: "Unable to detect a web browser
    // to launch '...'" on a desktop, the offscreen platform's "does not
    // support" here.
    const std::string reviewPage = "'" + pellor::reviewPageURL().toString().toStdString() + "'";
    EXPECT_EQ(occurrences(logged, reviewPage), 1) << logged;
    const std::string prefix = pellor::PellorApp::messagePrefix;
    EXPECT_EQ(occurrences(logged, prefix + "This plugin does not support QPlatformServices::openUrl() for " + reviewPage) +
                  occurrences(logged, prefix + "Unable to detect a web browser to launch " + reviewPage),
              1)
        << logged;
    for (const auto& [engine, option] : allEngines) {
        SCOPED_TRACE(engine);
        const std::string heavyName = std::string("heavy-") + engine + ".json";
        const std::string imageName = std::string("image-") + engine + ".lottie";
        names.insert(names.end(), {heavyName, imageName});
        const long drawnByTheMainThreadEngine = option.isAutomatic() || option.engine() == lottie::RenderingEngine::mainThread;
        EXPECT_EQ(occurrences(logged, "pellor: " + heavyName + ": Too many shape items"), drawnByTheMainThreadEngine) << logged;
        EXPECT_EQ(occurrences(logged, "pellor: " + heavyName + ": A dash pattern would cut"), drawnByTheMainThreadEngine)
            << logged;
        EXPECT_EQ(occurrences(logged, "pellor: " + imageName + ": Could not read image \"damaged.png\""), 1) << logged;
    }
    // Every line, those that go on a report of several lines among them.
    std::istringstream lines(logged);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        // Qt's own lines (the offscreen platform's among them) name no document.
        const bool named =
            line.find(reviewPage) != std::string::npos || line.starts_with("pellor: This plugin does not support") ||
            std::ranges::any_of(names, [&line](const std::string& name) { return line.starts_with("pellor: " + name + ": "); });
        EXPECT_TRUE(named) << line;
    }
    EXPECT_GT(count, 8);
}

TEST_F(PellorTest, TheOpenPanelStartsInTheFolderOfTheMostRecentDocumentElseHome) {
    EXPECT_EQ(app->openPanelDirectory(), QDir::homePath()) << "nothing opened yet";
    std::filesystem::create_directories(folder.path() / "older");
    std::filesystem::create_directories(folder.path() / "newer");
    const QString older = write("older/a.json", pellortest::animationDocument());
    const QString newer = write("newer/b.json", pellortest::animationDocument());
    app->recentDocuments().note(older);
    app->recentDocuments().note(newer);
    EXPECT_EQ(app->openPanelDirectory(), QFileInfo(newer).absolutePath());
    // A folder that has gone is passed over for the next.
    std::filesystem::remove_all(folder.path() / "newer");
    EXPECT_EQ(app->openPanelDirectory(), QFileInfo(older).absolutePath());

    // The panel starts there, and what is chosen in it opens.
    app->showOpenPanel(nullptr);
    QFileDialog* panel = visibleOpenPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(QDir(panel->directory()).absolutePath(), QFileInfo(older).absolutePath());
    EXPECT_EQ(panel->fileMode(), QFileDialog::ExistingFiles);
    emit panel->filesSelected({older});
    panel->reject();
    settle();
    EXPECT_NE(app->documentWindow(older), nullptr);
}

TEST_F(PellorTest, ADragOfOtherFilesIsRefusedAsItEntersAndOpensNothing) {
    const QString png = write("picture.png", "\x89PNG\r\n\x1A\n....");
    const QString text = write("notes.txt", "Remember the milk.\n");
    const QString clip = write("clip.json", pellortest::animationDocument());
    app->start({});
    QWidget* welcome = SceneWindow::find(QStringLiteral("welcome"));
    QWidget* document = app->openDocuments({clip}, nullptr).value(0);
    ASSERT_NE(document, nullptr);
    const QString dropped = write("dropped.LOTTIE", pellortest::packageDocument());
    struct Case {
        const char* name;
        QStringList files;
        bool accepted;
    };
    const Case cases[] = {
        {"a PNG image", {png}, false},
        {"an image and a text", {png, text}, false},
        {"a package (in capitals) among them", {png, dropped}, true},
    };
    app->openWindow(QStringLiteral("welcome"));
    for (QWidget* target : {welcome, document}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << " on " << target->windowTitle().toStdString());
            const auto before = app->documentWindows().size();
            QMimeData data;
            QList<QUrl> urls;
            for (const QString& file : c.files) urls << QUrl::fromLocalFile(file);
            data.setUrls(urls);
            const QPoint at(target->width() / 2, target->height() / 2);
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(target, &enter);
            EXPECT_EQ(enter.isAccepted(), c.accepted) << "decided as the drag enters";
            // Should the desktop drop it anyway, nothing opens and nothing is said.
            QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(target, &drop);
            settle();
            EXPECT_TRUE(alerts.empty());
            EXPECT_EQ(app->documentWindow(png), nullptr);
            EXPECT_EQ(app->documentWindow(text), nullptr);
            if (!c.accepted) {
                EXPECT_EQ(app->documentWindows().size(), before) << "nothing opens";
            }
        }
    }
    EXPECT_NE(app->documentWindow(dropped), nullptr);
}

TEST_F(PellorTest, TheReportOfFilesThatCouldNotBeOpenedBelongsToAWindowOfTheRequest) {
    app->start({});
    SceneWindow* welcome = SceneWindow::find(QStringLiteral("welcome"));
    const QString good = write("good.json", pellortest::animationDocument(10));
    const QString other = write("other.json", pellortest::animationDocument(10));
    enum class Over { firstWindowOfTheRequest, welcome, requestingWindow };
    struct Case {
        const char* name;
        QStringList paths;
        Over over;
        // The one path chosen from the requesting window's File > Open Recent
        // menu, that window moved first, rather than opened with the others.
        bool openRecent = false;
    };
    const Case cases[] = {
        {"command line", {good, missing("gone.json"), missing("lost.json")}, Over::firstWindowOfTheRequest},
        {"command line, one failure", {missing("gone.json"), good}, Over::firstWindowOfTheRequest},
        {"nothing opened", {missing("gone.json"), missing("lost.json")}, Over::welcome},
        {"dropped on a window", {missing("gone.json"), good}, Over::requestingWindow},
        {"Open Recent in a moved window", {missing("gone.json")}, Over::requestingWindow, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (QWidget* window : app->documentWindows()) window->close();
        settle();
        QWidget* requesting = c.over == Over::requestingWindow ? openPlayer(other) : nullptr;
        alerts.clear();
        QList<QWidget*> windows;
        if (c.openRecent) {
            ASSERT_NE(requesting, nullptr);
            requesting->move(300, 200);
            app->recentDocuments().note(c.paths.value(0));
            QAction* recent = pellortest::menuAction(*qobject_cast<QMainWindow*>(requesting), QStringLiteral("File"),
                                                     QStringLiteral("Open Recent"));
            ASSERT_TRUE(recent && recent->menu());
            QAction* item = nullptr;
            for (QAction* action : recent->menu()->actions()) {
                if (action->data().toString() == c.paths.value(0)) item = action;
            }
            ASSERT_NE(item, nullptr);
            item->trigger();
        } else {
            windows = app->openDocuments(c.paths, requesting);
        }
        settle();
        ASSERT_EQ(alerts.size(), 1u);
        ASSERT_NE(alerts[0].parent, nullptr) << "it belongs to a window";
        switch (c.over) {
        case Over::firstWindowOfTheRequest:
            ASSERT_FALSE(windows.isEmpty());
            EXPECT_EQ(alerts[0].parent, windows.first());
            break;
        case Over::welcome:
            EXPECT_EQ(alerts[0].parent, welcome);
            EXPECT_TRUE(welcome->isVisible());
            break;
        case Over::requestingWindow: EXPECT_EQ(alerts[0].parent, requesting); break;
        }
        EXPECT_TRUE(alerts[0].parent->isVisible()) << "over a window on the screen";
    }
}

TEST_F(PellorTest, TheReportIsModalToItsWindowAloneAndLaidOutAtItsNaturalWidth) {
    QWidget window;
    window.resize(400, 300);
    window.show();
    settle();
    const QString longest = QStringLiteral("\u201Can-animation-with-a-rather-long-name.json\u201D: The file doesn\u2019t exist.");
    const QString detail = QStringLiteral("\u201Cshort.json\u201D: The file doesn\u2019t exist.\n") + longest;
    struct Case {
        const char* name;
        QWidget* parent;
        Qt::WindowModality modality;
    };
    const Case cases[] = {{"over a window", &window, Qt::WindowModal}, {"over none", nullptr, Qt::ApplicationModal}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pellor::AlertPresenter().showError(c.parent, QStringLiteral("2 files couldn\u2019t be opened."), detail);
        settle();
        QPointer<QMessageBox> box = visibleMessageBox();
        ASSERT_NE(box, nullptr) << "on screen once showError has returned";
        EXPECT_EQ(box->parentWidget(), c.parent);
        EXPECT_EQ(box->windowModality(), c.modality);
        QLabel* label = pellor::informativeLabel(*box);
        ASSERT_NE(label, nullptr);
        // Each entry on a line of its own, not wrapped mid-sentence.
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(longest));
        EXPECT_TRUE(box->screen()->availableGeometry().contains(box->frameGeometry()));
        box->done(QMessageBox::Ok);
        settle();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(box.isNull()) << "answered, it goes";
    }
}

TEST_F(PellorTest, AReportWhoseWindowClosesFirstStaysOnScreenUntilItIsAnswered) {
    struct Case {
        const char* name;
        bool anotherWindow;
        // Deleted without being closed first, as windows are when the application goes.
        bool deleted;
    };
    for (const Case& c : {Case{"over the window left open", true, false}, Case{"over none", false, false},
                          Case{"its window deleted", true, true}}) {
        SCOPED_TRACE(c.name);
        QMainWindow other;
        if (c.anotherWindow) other.show();
        auto* window = new QMainWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        settle();
        QPointer<QWidget> closing(window);
        pellor::AlertPresenter().showError(window, QStringLiteral("2 files couldn\u2019t be opened."), QStringLiteral("Gone."));
        settle();
        QPointer<QMessageBox> box = visibleMessageBox();
        ASSERT_NE(box, nullptr);
        ASSERT_EQ(box->parentWidget(), window);

        // The window goes first (its document failed, say) and takes nothing unanswered with it.
        if (c.deleted) {
            delete window;
        } else {
            window->close();
        }
        settle();
        EXPECT_TRUE(closing.isNull());
        ASSERT_FALSE(box.isNull()) << "the report outlives its window";
        EXPECT_TRUE(box->isVisible());
        EXPECT_EQ(box->parentWidget(), c.anotherWindow ? &other : nullptr);
        EXPECT_EQ(box->windowModality(), c.anotherWindow ? Qt::WindowModal : Qt::ApplicationModal);
        EXPECT_TRUE(box->isModal());

        // Its window closing too, it moves on again rather than go with it.
        if (c.anotherWindow) {
            other.close();
            settle();
            ASSERT_FALSE(box.isNull());
            EXPECT_TRUE(box->isVisible());
            EXPECT_EQ(box->parentWidget(), nullptr);
        }
        QTest::keyClick(box.data(), Qt::Key_Escape);
        settle();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(box.isNull()) << "answered, it goes";
    }
}

}  // namespace
