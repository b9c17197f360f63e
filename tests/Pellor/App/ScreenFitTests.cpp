// The first size of a player window, and the size of the welcome window, fit
// the screen's available area, so their controls stay in view on a small
// screen or at a large scale factor. The suite runs these tests on its own
// 800 x 600 screen, and CTest runs them again on a 1440 x 900 screen at scale
// factors 1 and 2 (PELLOR_EXPECTED_SCALE names the factor such a run must be
// under).
#include <QGuiApplication>
#include <QScreen>

#include "Pellor/App/WelcomeWindow.h"
#include "Pellor/Player/DocumentWindow.h"
#include "Pellor/Player/LottiePlayerView.h"
#include "Pellor/Player/PlaybackControlRow.h"
#include "Pellor/Styles/StyledButton.h"
#include "tests/Pellor/App/PellorTestSupport.h"

namespace {

using pellortest::PellorTest;

// The primary screen's available area, checked to be under the scale factor
// the run names.
QRect availableArea() {
    const QScreen& screen = *QGuiApplication::primaryScreen();
    if (qEnvironmentVariableIsSet("PELLOR_EXPECTED_SCALE")) {
        EXPECT_DOUBLE_EQ(screen.devicePixelRatio(), qEnvironmentVariable("PELLOR_EXPECTED_SCALE").toDouble())
            << "the run is under the scale factor it names";
    }
    return screen.availableGeometry();
}

bool roomFor(const QRect& area, const QSize& size) {
    return area.width() * 9 / 10 >= size.width() && area.height() * 9 / 10 >= size.height();
}

TEST_F(PellorTest, TheFirstPlayerWindowFitsTheAvailableScreenArea) {
    const QScreen& screen = *QGuiApplication::primaryScreen();
    const QRect area = availableArea();
    SCOPED_TRACE(testing::Message() << "available " << area.width() << "x" << area.height() << " at scale "
                                    << screen.devicePixelRatio());
    for (const char* name : {"first.json", "second.json"}) {
        pellor::DocumentWindow* window = openPlayer(write(name, pellortest::animationDocument()));
        ASSERT_NE(window, nullptr);
        const QRect frame = window->frameGeometry();
        EXPECT_TRUE(area.contains(frame)) << name << " at " << frame.x() << "," << frame.y() << " "
                                          << frame.width() << "x" << frame.height();
        // At its preferred size where the screen has room for it.
        if (roomFor(area, QSize(800, 600))) {
            EXPECT_EQ(window->size(), pellor::DocumentWindow::kPreferredSize);
        } else {
            EXPECT_TRUE(window->width() < 800 || window->height() < 600) << "smaller where the screen is";
        }
        // The controls are inside the window, not cut off below it.
        QWidget& speed = *window->player()->controls()->speedButton();
        const QRect controls(speed.mapTo(window, QPoint()), speed.size());
        EXPECT_TRUE(window->rect().contains(controls)) << name;
    }
}

TEST_F(PellorTest, TheWelcomeWindowFitsTheAvailableScreenArea) {
    const QRect area = availableArea();
    SCOPED_TRACE(testing::Message() << "available " << area.width() << "x" << area.height() << " at scale "
                                    << QGuiApplication::primaryScreen()->devicePixelRatio());
    auto& welcome = *qobject_cast<pellor::WelcomeWindow*>(app->openWindow(QStringLiteral("welcome")));
    settle();
    const QRect frame = welcome.frameGeometry();
    EXPECT_TRUE(area.contains(frame)) << "at " << frame.x() << "," << frame.y() << " " << frame.width() << "x"
                                      << frame.height();
    // Its own size where the screen has room for it (the menu bar drawn in
    // the window comes on top of the content's size), smaller where it has not.
    const QSize full = pellor::WelcomeWindow::kSize + QSize(0, welcome.height() - welcome.centralWidget()->height());
    if (roomFor(area, full)) {
        EXPECT_EQ(welcome.size(), full);
    } else {
        EXPECT_LT(welcome.height(), full.height()) << "smaller where the screen is";
    }
    EXPECT_EQ(welcome.minimumSize(), welcome.maximumSize()) << "still of a fixed size";
    // Its buttons are inside it, not cut off.
    for (QWidget* control : {static_cast<QWidget*>(welcome.openButton()), static_cast<QWidget*>(welcome.closeButton())}) {
        const QRect shown(control->mapTo(&welcome, QPoint()), control->size());
        EXPECT_TRUE(welcome.rect().contains(shown)) << control->metaObject()->className();
    }
}

}  // namespace
