// The viewer's test program: one Qt application for every test, on the
// offscreen platform, with the application's settings in a temporary folder
// of their own and display-link timers off (tests tick frames themselves).
// Run with PELLOR_TEST_QUIT_AFTER_MS set, it is the viewer instead, as a test's
// child process (QuitTests.cpp).
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>

#include "Lottie/Views/FrameTurns.h"
#include "Lottie/Views/ViewDisplayLink.h"
#include "Pellor/Resources/ApplicationIcon.h"
#include "Platform/Foundation/DispatchQueue.h"
#include "tests/Pellor/App/PellorTestSupport.h"

namespace {

// The offscreen platform says for every window that it cannot raise it or
// pass on size hints; that is expected here and would drown real messages.
void dropPlatformNoise(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support"))) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

int main(int argc, char** argv) {
    if (pellortest::isViewerRun()) return pellortest::runViewer(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (CTest's discovery) needs no display at all.
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    lottie::ViewDisplayLink::setTimersEnabled(false);
    // Frames drawn in turns with the event loop, as in the application; the
    // tests' frame helpers draw each frame they tick to its end, and a test
    // that needs a frame drawn whole where it is asked for turns them off.
    lottie::FrameTurns::setEnabled(true);
    qInstallMessageHandler(dropPlatformNoise);
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir settings;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QCoreApplication::setOrganizationName(QStringLiteral("tolvane-tests"));
    QCoreApplication::setApplicationName(QStringLiteral("PellorTests"));
    // Windows close without ending a loop that the tests never run.
    QApplication::setQuitOnLastWindowClosed(false);
    pellor::initializeResources();
    // Texts in the user's locale are checked in English unless a test names another.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const int result = RUN_ALL_TESTS();
    // As the viewer does before main() returns: nothing decodes on during exit.
    platform::foundation::DispatchQueue::stopProcessWideQueues();
    return result;
}
