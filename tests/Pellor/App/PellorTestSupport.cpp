#include "tests/Pellor/App/PellorTestSupport.h"

#include <QAccessible>
#include <QApplication>
#include <QDropEvent>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QTest>
#include <algorithm>
#include <thread>

#include "Lottie/Views/LottieViewHost.h"
#include "Lottie/Views/ViewDisplayLink.h"
#include "Pellor/App/ReviewRequestHooks.h"
#include "Pellor/Player/DocumentWindow.h"
#include "Pellor/Player/LottiePlayerView.h"
#include "Platform/Compositor/MediaClock.h"
#include "Platform/Foundation/MainRunLoop.h"
#include "tests/Lottie/DotLottie/Package/PackageTestSupport.h"

namespace pellortest {

SharedEngine::SharedEngine(lottie::RenderingEngineOption engine) : kept_(lottie::LottieConfiguration::shared()) {
    lottie::LottieConfiguration configuration = kept_;
    configuration.renderingEngine = std::move(engine);
    lottie::LottieConfiguration::setShared(configuration);
}

SharedEngine::~SharedEngine() { lottie::LottieConfiguration::setShared(kept_); }

std::string animationDocument(int frames, int width, int height) {
    const std::string f = std::to_string(frames);
    const std::string w = std::to_string(width);
    const std::string h = std::to_string(height);
    return R"({"v":"5.7.4","fr":30,"ip":0,"op":)" + f + R"(,"w":)" + w + R"(,"h":)" + h +
           R"(,"nm":"pellor","ddd":0,"assets":[],"layers":[
 {"ddd":0,"ind":1,"ty":4,"nm":"Square","sr":1,"ip":0,"op":)" + f + R"(,"st":0,"bm":0,
  "ks":{"o":{"a":0,"k":100},"r":{"a":0,"k":0},"a":{"a":0,"k":[0,0,0]},"s":{"a":0,"k":[100,100,100]},
        "p":{"a":1,"k":[{"t":0,"s":[20,)" + std::to_string(height / 2) +
           R"(,0],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},{"t":)" + f + R"(,"s":[)" +
           std::to_string(width - 20) + "," + std::to_string(height / 2) + R"(,0]}]}},
  "shapes":[{"ty":"rc","nm":"Box","d":1,"s":{"a":0,"k":[30,30]},"p":{"a":0,"k":[0,0]},"r":{"a":0,"k":0}},
            {"ty":"fl","nm":"Fill","c":{"a":0,"k":[0.9,0.2,0.2,1]},"o":{"a":0,"k":100},"r":1}]}
]})";
}

std::string packageDocument() {
    const platform::foundation::Data data = packagetest::packageOf({"first"});
    return std::string(reinterpret_cast<const char*>(data.data()), data.size());
}

void PellorTest::SetUp() {
    QSettings().clear();
    clock = std::make_shared<platform::compositor::ManualClock>(100.0);
    platform::compositor::MediaClock::install(clock);
    remakeApp(std::make_unique<FakeUpdater>());
}

void PellorTest::remakeApp(std::unique_ptr<pellor::Updater> updater) {
    app.reset();
    app = std::make_unique<pellor::PellorApp>(std::move(updater));
    app->setAlertPresenter(std::make_unique<RecordingAlerts>(alerts));
    app->setDesktopServices(std::make_unique<RecordingDesktop>(openedUrls, revealed, desktopOpens));
    // The review policy is the subject of its own tests, over their own settings.
    app->setReviewRequestHooks(std::make_unique<pellor::ReviewRequestHooks>());
}

void PellorTest::TearDown() {
    // The loads a test started end before the next test, or the process's exit, begins.
    for (QWidget* widget : app ? app->documentWindows() : QList<QWidget*>()) {
        auto* window = qobject_cast<pellor::DocumentWindow*>(widget);
        if (!window) continue;
        const QPointer<pellor::LottiePlayerView> player = window->player();
        // A load ends opened (a package may hold no animation) or failed.
        runUntil([&player] {
            return !player || player->isOpened() || player->animation() || player->isFileErrorPresented();
        });
    }
    settle();
    app.reset();
    settle();
    platform::compositor::MediaClock::install(nullptr);
}

QString PellorTest::write(const std::string& name, const std::string& bytes) {
    testsupport::writeFile(folder.path() / name, bytes);
    return QString::fromStdString((folder.path() / name).string());
}

QString PellorTest::missing(const std::string& name) const {
    return QString::fromStdString((folder.path() / name).string());
}

void PellorTest::settle() {
    for (int round = 0; round < 3; ++round) {
        platform::foundation::MainRunLoop::shared().drain();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

void PellorTest::typeWhereTheFocusIsAndCloseWhatItOpened(const QWidget& welcome, QKeyCombination key) {
    QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    settle();
    EXPECT_TRUE(welcome.isVisible() || !app->documentWindows().isEmpty()) << "the program does not end";
    if (QFileDialog* panel = visibleOpenPanel()) panel->reject();
    for (QWidget* window : app->documentWindows()) window->close();
    settle();
}

void PellorTest::drop(QWidget& target, const QStringList& files) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& file : files) urls << QUrl::fromLocalFile(file);
    data.setUrls(urls);
    const QPointF at(target.width() / 2.0, target.height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &enter);
    ASSERT_TRUE(enter.isAccepted()) << "a drag of files is accepted";
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &dropped);
    settle();
}

pellor::DocumentWindow* PellorTest::openPlayer(const QString& path) {
    auto* window = qobject_cast<pellor::DocumentWindow*>(app->openDocuments({path}, nullptr).value(0));
    if (!window) return nullptr;
    pellor::LottiePlayerView& player = *window->player();
    runUntil([&player] { return player.animation() || player.isFileErrorPresented(); });
    return window;
}

bool PellorTest::documentsLoaded(qsizetype count) const {
    const QList<QWidget*> windows = app->documentWindows();
    if (windows.size() != count) return false;
    return std::all_of(windows.begin(), windows.end(), [](QWidget* window) {
        const pellor::LottiePlayerView& player = *qobject_cast<pellor::DocumentWindow*>(window)->player();
        return player.isOpened() || player.isFileErrorPresented();
    });
}

void PellorTest::runUntil(const std::function<bool()>& done) {
    // Bounded by rounds, not by time: a load that never arrives fails the test.
    for (long round = 0; round < 5'000'000 && !done(); ++round) {
        platform::foundation::MainRunLoop::shared().drain();
        QCoreApplication::processEvents();
        std::this_thread::yield();
    }
    settle();
}

void PellorTest::frame(pellor::DocumentWindow& window, double seconds) {
    clock->advance(seconds);
    window.player()->host()->animationView()->displayLink().tick();
    // The frame drawn in turns ends before the next display frame.
    window.player()->host()->animationView()->finishFrame();
    settle();
}

QStringList itemTexts(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* action : actions) texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

QStringList menuTitles(QMainWindow& window) {
    QStringList titles;
    for (const QAction* action : window.menuBar()->actions()) titles << QString(action->text()).remove(QLatin1Char('&'));
    return titles;
}

QAction* menuAction(QMainWindow& window, const QString& menu, const QString& item) {
    for (QAction* top : window.menuBar()->actions()) {
        if (QString(top->text()).remove(QLatin1Char('&')) != menu || !top->menu()) continue;
        for (QAction* action : top->menu()->actions()) {
            if (action->text() == item) return action;
        }
    }
    return nullptr;
}

QFileDialog* visibleOpenPanel() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* panel = qobject_cast<QFileDialog*>(widget);
        if (panel && panel->isVisible()) return panel;
    }
    return nullptr;
}

QString accessibleName(QWidget* widget) {
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(widget);
    return interface ? interface->text(QAccessible::Name) : QString();
}

}  // namespace pellortest
