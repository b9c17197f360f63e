// Keyboard focus shows as a ring in the accent colour on every custom-painted
// control (the styled buttons and the frame slider), and only when the focus
// came from the keyboard; the welcome window's close button is a comfortable
// target with a hover that can be seen.
#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QTest>
#include <algorithm>

#include "Pellor/App/WelcomeWindow.h"
#include "Pellor/Player/DocumentWindow.h"
#include "Pellor/Player/FrameSlider.h"
#include "Pellor/Player/LottiePlayerView.h"
#include "Pellor/Player/PlaybackControlRow.h"
#include "Pellor/Styles/FocusRing.h"
#include "Pellor/Styles/NamedColors.h"
#include "Pellor/Styles/StyledButton.h"
#include "tests/Pellor/App/PellorTestSupport.h"

namespace {

using pellortest::PellorTest;

int distance(const QColor& a, const QColor& b) {
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

// Whether the middle third of the control's leading edge is drawn in the ring's colour.
bool hasRingAtItsEdge(QWidget& control) {
    const QImage image = control.grab().toImage();
    const double scale = control.devicePixelRatioF();
    const QColor ring = pellor::focusRingColor(pellor::colorSchemeOf(control));
    int ringPixels = 0;
    const int rows = image.height() / 3;
    for (int y = image.height() / 3; y < 2 * image.height() / 3; ++y) {
        const QColor edge = image.pixelColor(static_cast<int>(scale), y);
        if (distance(edge, ring) <= 40) ++ringPixels;
    }
    return ringPixels >= rows * 3 / 4;
}

// Presses Tab in the window until `control` has the focus (as a user would).
void tabTo(QWidget& window, QWidget& control) {
    for (int press = 0; press < 40 && !control.hasFocus(); ++press) QTest::keyClick(&window, Qt::Key_Tab);
    ASSERT_TRUE(control.hasFocus());
}

TEST_F(PellorTest, KeyboardFocusShowsARingInTheAccentColourOnEveryCustomControl) {
    pellor::DocumentWindow& player = *openPlayer(write("clip.json", pellortest::animationDocument()));
    player.player()->setAnimationPlaying(false);
    auto& welcome = *qobject_cast<pellor::WelcomeWindow*>(app->openWindow(QStringLiteral("welcome")));
    pellor::PlaybackControlRow& row = *player.player()->controls();
    struct Case {
        const char* name;
        QWidget* window;
        QWidget* control;
    };
    const Case cases[] = {
        {"play/pause", &player, row.playPauseButton()},
        {"slider", &player, row.slider()},
        {"loop mode", &player, row.loopModeButton()},
        {"speed", &player, row.speedButton()},
        {"welcome close", &welcome, welcome.closeButton()},
        {"open", &welcome, welcome.openButton()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.window->show();
        // After the other window's own activation, which is posted.
        settle();
        QApplication::setActiveWindow(c.window);
        c.window->setAttribute(Qt::WA_KeyboardFocusChange, false);
        c.control->setFocus(Qt::MouseFocusReason);
        settle();
        EXPECT_FALSE(hasRingAtItsEdge(*c.control)) << "a click leaves no ring";
        c.control->clearFocus();
        tabTo(*c.window, *c.control);
        settle();
        EXPECT_TRUE(hasRingAtItsEdge(*c.control)) << "the keyboard's focus shows";
        QTest::keyClick(c.window, Qt::Key_Tab);
        settle();
        EXPECT_FALSE(hasRingAtItsEdge(*c.control)) << "and goes with it";
    }
}

TEST_F(PellorTest, TheWelcomeCloseButtonIsAComfortableTargetThatShowsItsHover) {
    auto& welcome = *qobject_cast<pellor::WelcomeWindow*>(app->openWindow(QStringLiteral("welcome")));
    QAbstractButton& close = *welcome.closeButton();
    EXPECT_GE(close.width(), 28);
    EXPECT_GE(close.height(), 28);
    EXPECT_GE(close.iconSize().width(), 14);
    const QPoint inside(close.width() / 4, close.height() / 2);
    const QColor rest = close.grab().toImage().pixelColor(inside * close.devicePixelRatioF());
    const QPointF at(inside);
    QEnterEvent enter(at, at, close.mapToGlobal(at));
    QCoreApplication::sendEvent(&close, &enter);
    const QColor hovered = close.grab().toImage().pixelColor(inside * close.devicePixelRatioF());
    EXPECT_GE(distance(rest, hovered), 30) << "the hover can be seen";
    EXPECT_LE(distance(hovered, pellor::NamedColors::color(QStringLiteral("accent300"))), 8);
}

}  // namespace
