// Quitting while documents still decode or set up: the viewer runs in a child
// process of this program (as main() runs it, through PellorApp::run), opens
// four large documents, or one of 30,000 layers, and chooses Quit from the
// File menu before they have decoded, or once the first has its animation and
// the others still decode and build their layers. The process must end as
// quitting asks, with status 0, and not abort on its way out while a decoding
// or a build still runs; PellorApp::run passes every deadline and stops the
// process-wide queues before the process ends, and ends it without joining a
// thread still busy decoding. How long the machine takes to end the process
// is not asserted: it is the kernel's and the machine's load's, not the
// viewer's.
#include <QApplication>
#include <QMainWindow>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "Pellor/Player/DocumentWindow.h"
#include "Pellor/Player/LottiePlayerView.h"
#include "Pellor/Resources/ApplicationIcon.h"
#include "Platform/Foundation/DispatchQueue.h"
#include "Platform/Graphics/ProcessorDeadline.h"
#include "tests/EngineComparison/Support/HostileDocuments.h"
#include "tests/Pellor/App/PellorTestSupport.h"

namespace pellortest {

namespace {

constexpr const char* quitAfterVariable = "PELLOR_TEST_QUIT_AFTER_MS";
// Set: Quit is chosen once the first document has its animation, rather than
// after the delay.
constexpr const char* quitOnceShownVariable = "PELLOR_TEST_QUIT_ONCE_SHOWN";
// What the child says when it chooses Quit, followed by how many documents had loaded.
constexpr const char* quittingLine = "quitting with documents loaded: ";
// What it says as the process ends (once PellorApp::run has returned, or as
// it ends the process itself), followed by 1 when the process-wide queues had
// been stopped by then; then whether every deadline had been passed, and
// whether the process ended without waiting for a loading thread.
constexpr const char* endedLine = "ended with the process-wide queues stopped: ";
constexpr const char* deadlinesLine = "every deadline passed: ";
constexpr const char* withoutWaitingLine = "ended without waiting: ";

// A document of `layers` still squares, of about 200 bytes and 25 values per
// layer: many layers to set up, within the values a document may hold.
std::string squaresDocument(int layers) {
    using namespace hostiletest;
    return document(listOf(layers, [](int index) {
        return shapeLayer(index, rect(index % 512, index % 500, 6) + "," + greenFill);
    }));
}

// A document of `layers` squares, each moving along its own path, of about
// 700 bytes per layer: decoding it takes about as long as its size suggests.
std::string largeDocument(int layers) {
    std::string document = R"({"v":"5.7.4","fr":30,"ip":0,"op":90,"w":400,"h":400,"nm":"large","ddd":0,"assets":[],"layers":[)";
    document.reserve(static_cast<std::size_t>(layers) * 720 + 200);
    for (int index = 0; index < layers; ++index) {
        const std::string i = std::to_string(index + 1);
        const std::string x = std::to_string(index % 400);
        const std::string y = std::to_string((index / 400) % 400);
        if (index > 0) document += ',';
        document += R"({"ddd":0,"ind":)" + i + R"(,"ty":4,"nm":"Square )" + i + R"(","sr":1,"ip":0,"op":90,"st":0,"bm":0,)" +
                    R"("ks":{"o":{"a":0,"k":100},"r":{"a":1,"k":[{"t":0,"s":[0],"i":{"x":[0.5],"y":[0.5]},"o":{"x":[0.5],"y":[0.5]}},{"t":90,"s":[360]}]},)" +
                    R"("a":{"a":0,"k":[0,0,0]},"s":{"a":0,"k":[100,100,100]},)" +
                    R"("p":{"a":1,"k":[{"t":0,"s":[)" + x + "," + y + R"(,0],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},{"t":90,"s":[)" +
                    y + "," + x + R"(,0]}]}},)" +
                    R"("shapes":[{"ty":"rc","nm":"Box","d":1,"s":{"a":0,"k":[6,6]},"p":{"a":0,"k":[0,0]},"r":{"a":0,"k":1}},)" +
                    R"({"ty":"fl","nm":"Fill","c":{"a":0,"k":[0.9,0.2,0.2,1]},"o":{"a":0,"k":100},"r":1}]})";
    }
    document += "]}";
    return document;
}

}  // namespace

bool isViewerRun() { return qEnvironmentVariableIsSet(quitAfterVariable); }

int runViewer(int argc, char** argv) {
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir settings;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    pellor::initializeResources();
    std::vector<Alert> alerts;
    // No update checks, and alerts are recorded rather than shown modally.
    pellor::PellorApp app(std::make_unique<FakeUpdater>());
    app.setAlertPresenter(std::make_unique<RecordingAlerts>(alerts));
    const bool onceShown = qEnvironmentVariableIsSet(quitOnceShownVariable);
    QTimer waiting;
    QObject::connect(&waiting, &QTimer::timeout, &app, [&app, &waiting, onceShown] {
        int loaded = 0;
        QMainWindow* first = nullptr;
        for (QWidget* widget : app.documentWindows()) {
            auto* window = qobject_cast<pellor::DocumentWindow*>(widget);
            if (!window) continue;
            if (!first) first = window;
            if (window->player()->animation()) ++loaded;
        }
        if (onceShown && loaded == 0) return;
        waiting.stop();
        std::printf("%s%d\n", quittingLine, loaded);
        std::fflush(stdout);
        QAction* quit = first ? menuAction(*first, QStringLiteral("File"), QStringLiteral("Quit")) : nullptr;
        if (quit) {
            quit->trigger();
        } else {
            std::fprintf(stderr, "no File > Quit to choose\n");
            QCoreApplication::exit(2);
        }
    });
    // Once shown: the windows are looked at on every turn until the first has its animation.
    waiting.start(onceShown ? 0 : qEnvironmentVariableIntValue(quitAfterVariable));
    // A process-wide queue like the viewer's own: stopping them stops it too.
    static platform::foundation::DispatchQueue& probe =
        platform::foundation::DispatchQueue::processWide("pellor.test.probe");
    static const auto sayEnded = [](bool withoutWaiting) {
        const platform::graphics::ProcessorDeadline unspent(3600);
        std::printf("%s%d\n%s%d\n%s%d\n", endedLine, probe.isStopped() ? 1 : 0, deadlinesLine,
                    unspent.hasPassed() ? 1 : 0, withoutWaitingLine, withoutWaiting ? 1 : 0);
        std::fflush(stdout);
    };
    // Should the process end without waiting for a loading thread, in run() itself.
    std::at_quick_exit([] { sayEnded(true); });
    const int status = app.run(QCoreApplication::arguments().mid(1));
    sayEnded(false);
    return status;
}

namespace {

TEST(PellorQuitTest, QuittingWhileLargeDocumentsDecodeEndsTheProcessCleanly) {
    testsupport::TemporaryDirectory folder;
    // About 11 MB each, some 1.7 million values: within what a document may
    // hold, so that each decodes (slowly) rather than being refused at once.
    const std::string document = largeDocument(16'000);
    QStringList fourLarge;
    for (int index = 0; index < 4; ++index) {
        const auto path = folder.path() / ("large-" + std::to_string(index) + ".json");
        testsupport::writeFile(path, document);
        fourLarge << QString::fromStdString(path.string());
    }
    const auto squares = folder.path() / "squares.json";
    testsupport::writeFile(squares, squaresDocument(30'000));
    struct Case {
        const char* name;
        QStringList files;
        // Quit once the first document has its animation, rather than after 300 ms.
        bool onceShown;
        // A document still decodes (which checks no deadline) as the process ends.
        bool decodingAtTheEnd;
    };
    const Case cases[] = {
        {"four large documents, while they decode", fourLarge, false, true},
        {"four large documents, once the first has its animation", fourLarge, true, true},
        {"a document of 30,000 layers, while it loads", {QString::fromStdString(squares.string())}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QProcess viewer;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(quitAfterVariable), QStringLiteral("300"));
        if (c.onceShown) environment.insert(QString::fromLatin1(quitOnceShownVariable), QStringLiteral("1"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        viewer.setProcessEnvironment(environment);
        viewer.start(QCoreApplication::applicationFilePath(), c.files);
        ASSERT_TRUE(viewer.waitForStarted(30'000));
        // Generous: a sanitizer build decodes the document being decoded slowly.
        ASSERT_TRUE(viewer.waitForFinished(300'000)) << "the viewer did not end after Quit";
        const QString output = QString::fromLocal8Bit(viewer.readAllStandardOutput());
        const QString errors = QString::fromLocal8Bit(viewer.readAllStandardError());
        EXPECT_EQ(viewer.exitStatus(), QProcess::NormalExit) << errors.toStdString();
        EXPECT_EQ(viewer.exitCode(), 0) << errors.toStdString();
        EXPECT_FALSE(errors.contains(QStringLiteral("pure virtual"))) << errors.toStdString();
        // The number after a line's text, alone on its line.
        const auto numberAfter = [&output](const char* line, bool& counted) {
            const qsizetype said = output.indexOf(QString::fromLatin1(line));
            counted = false;
            if (said < 0) return 0LL;
            return output.mid(said + qsizetype(std::strlen(line))).section(QLatin1Char('\n'), 0, 0).trimmed().toLongLong(&counted);
        };
        // The documents were still decoding when Quit was chosen.
        bool counted = false;
        const long long loaded = numberAfter(quittingLine, counted);
        ASSERT_TRUE(counted) << output.toStdString();
        EXPECT_LT(loaded, c.files.size()) << "quit only after every document had decoded";
        if (c.onceShown) {
            EXPECT_GE(loaded, 1);
        }
        // The documents still queued to decode were dropped by run() itself, on its way out.
        EXPECT_TRUE(output.contains(QString::fromLatin1(endedLine) + QLatin1Char('1'))) << output.toStdString();
        // Every thread still working for a document was told to stop at its
        // next check: a layer tree nobody will show is not finished first.
        EXPECT_EQ(numberAfter(deadlinesLine, counted), 1) << output.toStdString();
        ASSERT_TRUE(counted) << output.toStdString();
        // A decoding, which checks no deadline, is not waited for: the
        // process ends without joining its thread.
        const long long withoutWaiting = numberAfter(withoutWaitingLine, counted);
        ASSERT_TRUE(counted) << output.toStdString();
        if (c.decodingAtTheEnd) {
            EXPECT_EQ(withoutWaiting, 1) << output.toStdString();
        }
    }
}

}  // namespace

}  // namespace pellortest
