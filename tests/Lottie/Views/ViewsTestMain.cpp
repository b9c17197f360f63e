// The views' test program: one Qt application for every test, on the offscreen
// platform with two screens side by side, the second of twice the pixel
// density, so that tests can move a window between densities.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>

#include "Lottie/Views/FrameTurns.h"
#include "Lottie/Views/ViewDisplayLink.h"
#include "Platform/Foundation/DispatchQueue.h"

namespace {

// The offscreen platform's screens: (0, 0) at ratio 1 and (1000, 0) at ratio 2.
QString writeScreens() {
    const QString path = QDir::temp().filePath(QStringLiteral("pellor-views-screens-%1.json").arg(QCoreApplication::applicationPid()));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(R"({"screens": [
            {"name": "single", "x": 0, "y": 0, "width": 1000, "height": 800, "logicalDpi": 96, "dpr": 1},
            {"name": "double", "x": 1000, "y": 0, "width": 1000, "height": 800, "logicalDpi": 96, "dpr": 2}
        ]})");
    }
    return path;
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (CTest's discovery) needs no display at all.
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    QString screens;
    if (qEnvironmentVariable("QT_QPA_PLATFORM") == QStringLiteral("offscreen")) {
        screens = writeScreens();
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screens).toUtf8());
    }
    // Frames are ticked by the tests after moving a manual clock, never by timers.
    lottie::ViewDisplayLink::setTimersEnabled(false);
    // Frames drawn in turns with the event loop, as in the application; the
    // tests' frame helpers draw each frame they tick to its end, and a test
    // that needs a frame drawn whole where it is asked for turns them off.
    lottie::FrameTurns::setEnabled(true);
    int result = 0;
    {
        QApplication application(argc, argv);
        result = RUN_ALL_TESTS();
        // Package loads end before the application and the process's static objects go.
        platform::foundation::DispatchQueue::stopProcessWideQueues();
    }
    if (!screens.isEmpty()) QFile::remove(screens);
    return result;
}
