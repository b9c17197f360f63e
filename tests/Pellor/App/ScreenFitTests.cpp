// The first size of a player window fits the screen's available area, so its
// controls stay in view on a small screen or at a large scale factor. The
// suite runs this test on its own 800 x 600 screen, and CTest runs it again on
// a 1440 x 900 screen at scale factors 1 and 2 (PELLOR_EXPECTED_SCALE names
// the factor such a run must be under).
#include <QGuiApplication>
#include <QScreen>

#include "Pellor/Player/DocumentWindow.h"
#include "Pellor/Player/LottiePlayerView.h"
#include "Pellor/Player/PlaybackControlRow.h"
#include "Pellor/Styles/StyledButton.h"
#include "tests/Pellor/App/PellorTestSupport.h"

namespace {

using pellortest::PellorTest;

TEST_F(PellorTest, TheFirstPlayerWindowFitsTheAvailableScreenArea) {
    const QScreen& screen = *QGuiApplication::primaryScreen();
    if (qEnvironmentVariableIsSet("PELLOR_EXPECTED_SCALE")) {
        ASSERT_DOUBLE_EQ(screen.devicePixelRatio(), qEnvironmentVariable("PELLOR_EXPECTED_SCALE").toDouble())
            << "the run is under the scale factor it names";
    }
    const QRect area = screen.availableGeometry();
    SCOPED_TRACE(testing::Message() << "available " << area.width() << "x" << area.height() << " at scale "
                                    << screen.devicePixelRatio());
    for (const char* name : {"first.json", "second.json"}) {
        pellor::DocumentWindow* window = openPlayer(write(name, pellortest::animationDocument()));
        ASSERT_NE(window, nullptr);
        const QRect frame = window->frameGeometry();
        EXPECT_TRUE(area.contains(frame)) << name << " at " << frame.x() << "," << frame.y() << " "
                                          << frame.width() << "x" << frame.height();
        // At its preferred size where the screen has room for it.
        const bool roomy = area.width() * 9 / 10 >= 800 && area.height() * 9 / 10 >= 600;
        if (roomy) {
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

}  // namespace
