// The player window driven as a user would: playing from the start, Space,
// the slider, the read-out, the loop button, the speed menu, the inspector
// and the "Cannot open file" alert.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <cmath>

#include "Lottie/Views/LottieViewHost.h"
#include "Pellor/App/SceneWindow.h"
#include "Pellor/Inspector/AnimationInspectorForm.h"
#include "Pellor/Player/DocumentWindow.h"
#include "Pellor/Player/FrameSlider.h"
#include "Pellor/Player/LottiePlayerView.h"
#include "Pellor/Player/PlaybackControlRow.h"
#include "Pellor/Styles/StyledButton.h"
#include "tests/Pellor/App/PellorTestSupport.h"
#include "tests/Lottie/DotLottie/Package/PackageTestSupport.h"

namespace {

using lottie::LottieLoopMode;
using lottie::LottiePlaybackMode;
using pellor::DocumentWindow;
using pellor::LottiePlayerView;
using pellortest::PellorTest;

lottie::LottieAnimationView& viewOf(DocumentWindow& window) { return *window.player()->host()->animationView(); }

LottiePlaybackMode playingWith(LottieLoopMode loop) {
    return LottiePlaybackMode::playing(lottie::LottiePlayingMode::fromProgress(0.0, 1.0, loop));
}

bool sendSpace(QWidget& target) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    press.setAccepted(false);
    QCoreApplication::sendEvent(&target, &press);
    return press.isAccepted();
}

// The point of the slider's groove at that fraction of its length.
QPoint sliderPoint(pellor::FrameSlider& slider, double fraction) {
    QStyleOptionSlider option;
    option.initFrom(&slider);
    option.orientation = Qt::Horizontal;
    option.minimum = slider.minimum();
    option.maximum = slider.maximum();
    option.sliderPosition = slider.value();
    const QRect groove = slider.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, &slider);
    const QRect handle = slider.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider);
    const int span = groove.width() - handle.width();
    return QPoint(groove.x() + handle.width() / 2 + static_cast<int>(std::lround(fraction * span)), slider.height() / 2);
}

TEST_F(PellorTest, AnOpenedDocumentPlaysFromTheStartWithLoopAtNormalSpeedAndClosesTheWelcomeWindow) {
    app->start({});
    ASSERT_TRUE(pellor::SceneWindow::find(QStringLiteral("welcome"))->isVisible());
    DocumentWindow* window = openPlayer(write("clip.json", pellortest::animationDocument()));
    ASSERT_NE(window, nullptr);
    LottiePlayerView& player = *window->player();
    ASSERT_NE(player.animation(), nullptr);
    EXPECT_FALSE(pellor::SceneWindow::find(QStringLiteral("welcome"))->isVisible());
    EXPECT_TRUE(player.animationPlaying());
    EXPECT_EQ(player.animationFrame(), 0);
    EXPECT_EQ(player.loopMode(), LottieLoopMode::loop());
    EXPECT_EQ(player.controls()->speedButton()->text(), QStringLiteral("1.0\u00D7"));
    EXPECT_EQ(player.controls()->playPauseSymbol(), QStringLiteral("pause.fill"));
    EXPECT_FALSE(player.showInspector());
    EXPECT_FALSE(player.inspectorPane()->isVisible());
    EXPECT_EQ(viewOf(*window).currentPlaybackMode(), playingWith(LottieLoopMode::loop()));
    EXPECT_TRUE(viewOf(*window).isPlaying());
    EXPECT_DOUBLE_EQ(viewOf(*window).animationSpeed(), 1.0);
    EXPECT_EQ(window->focusWidget(), &player) << "the player takes the keyboard focus of its window";

    // It plays: the frame moves forward and the read-out follows.
    for (int tick = 0; tick < 5; ++tick) frame(*window);
    EXPECT_GT(player.animationFrame(), 0);
    EXPECT_EQ(player.controls()->readout()->text(),
              QStringLiteral("#%1/90").arg(std::lround(player.animationFrame()), 2, 10, QLatin1Char('0')));

    // The file is counted once, however often the window shows again.
    EXPECT_EQ(QSettings().value(QStringLiteral("fileOpenCount")).toInt(), 1);
    window->hide();
    window->show();
    settle();
    EXPECT_EQ(QSettings().value(QStringLiteral("fileOpenCount")).toInt(), 1);
    openPlayer(write("other.json", pellortest::animationDocument(30)));
    EXPECT_EQ(QSettings().value(QStringLiteral("fileOpenCount")).toInt(), 2);
    // A file that does not decode is no file opened.
    DocumentWindow* broken = openPlayer(write("broken.json", "{ \"v\": \"5.7\", \"layers\": [ oops"));
    ASSERT_NE(broken, nullptr);
    ASSERT_TRUE(broken->player()->isFileErrorPresented());
    EXPECT_EQ(QSettings().value(QStringLiteral("fileOpenCount")).toInt(), 2);
}

TEST_F(PellorTest, SpacePausesAndResumesAtTheSameFrameAndIsPassedOnBeforeLoading) {
    // A package loads on its own queue, so there is a moment before it has loaded.
    const QString package = write("clip.lottie", pellortest::packageDocument());
    auto* early = qobject_cast<DocumentWindow*>(app->openDocuments({package}, nullptr).value(0));
    ASSERT_NE(early, nullptr);
    ASSERT_EQ(early->player()->animation(), nullptr);
    EXPECT_FALSE(sendSpace(*early->player())) << "ignored, so that it goes on to the window";
    auto* waiting = qobject_cast<QLabel*>(early->player()->inspectorContent());
    ASSERT_NE(waiting, nullptr);
    EXPECT_EQ(waiting->text(), QStringLiteral("Cannot parse the document."));
    EXPECT_EQ(early->player()->controls()->readout()->text(), QStringLiteral("#0/0"));
    early->player()->controls()->playPauseButton()->click();
    EXPECT_FALSE(early->player()->animationPlaying()) << "the button works before loading, unlike Space";
    early->player()->controls()->playPauseButton()->click();
    EXPECT_TRUE(early->player()->animationPlaying());
    runUntil([&] { return early->player()->animation() != nullptr; });
    ASSERT_NE(early->player()->animation(), nullptr);

    DocumentWindow& window = *openPlayer(write("clip.json", pellortest::animationDocument()));
    LottiePlayerView& player = *window.player();
    for (int tick = 0; tick < 10; ++tick) frame(window);
    const double shown = player.animationFrame();
    ASSERT_GT(shown, 0);
    EXPECT_TRUE(sendSpace(player));
    settle();
    EXPECT_FALSE(player.animationPlaying());
    EXPECT_EQ(player.controls()->playPauseSymbol(), QStringLiteral("play.fill"));
    EXPECT_EQ(viewOf(window).currentPlaybackMode(),
              LottiePlaybackMode::paused(lottie::LottiePausedState::frame(shown)));
    for (int tick = 0; tick < 5; ++tick) frame(window);
    EXPECT_DOUBLE_EQ(viewOf(window).currentFrame(), shown) << "paused where it was";
    EXPECT_EQ(player.animationFrame(), shown);

    EXPECT_TRUE(sendSpace(player));
    settle();
    EXPECT_TRUE(player.animationPlaying());
    EXPECT_EQ(viewOf(window).currentPlaybackMode(), playingWith(LottieLoopMode::loop()));
    // The Core Animation engine starts the resumed animation on the display
    // frame after the request, so the frame shown moves on the second tick.
    frame(window);
    frame(window);
    EXPECT_GT(player.animationFrame(), shown) << "resumes from the frame shown, not from the start";
    EXPECT_LT(player.animationFrame(), shown + 4);
}

TEST_F(PellorTest, PressingTheSliderPausesAndDraggingWhilePausedMovesTheAnimation) {
    DocumentWindow& window = *openPlayer(write("clip.json", pellortest::animationDocument(120)));
    window.resize(800, 600);
    LottiePlayerView& player = *window.player();
    pellor::FrameSlider& slider = *player.controls()->slider();
    for (int tick = 0; tick < 6; ++tick) frame(window);
    EXPECT_TRUE(player.animationPlaying()) << "the slider following playback is not a press";
    EXPECT_NEAR(slider.progress(), player.animationFrame() / 120, 1.0 / pellor::FrameSlider::kSteps);

    // A press on the track while playing pauses there.
    QTest::mousePress(&slider, Qt::LeftButton, Qt::NoModifier, sliderPoint(slider, 0.75));
    EXPECT_FALSE(player.animationPlaying());
    QTest::mouseRelease(&slider, Qt::LeftButton, Qt::NoModifier, sliderPoint(slider, 0.75));
    settle();
    EXPECT_FALSE(player.animationPlaying()) << "the release of the same touch does not play again";
    EXPECT_NEAR(player.animationFrame(), 90, 1.5);

    // Dragging the handle while paused moves the frame; the view shows the frame the read-out names.
    QTest::mousePress(&slider, Qt::LeftButton, Qt::NoModifier, sliderPoint(slider, slider.progress()));
    for (const double fraction : {0.6, 0.4, 0.25}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(sliderPoint(slider, fraction)), slider.mapToGlobal(QPointF(sliderPoint(slider, fraction))),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&slider, &move);
        settle();
        EXPECT_FALSE(player.animationPlaying());
        EXPECT_NEAR(player.animationFrame(), fraction * 120, 1.5) << fraction;
        EXPECT_DOUBLE_EQ(viewOf(window).currentFrame(), player.animationFrame()) << fraction;
        const QString readout = player.controls()->readout()->text();
        EXPECT_EQ(readout, QStringLiteral("#%1/120").arg(std::lround(player.animationFrame()), 3, 10, QLatin1Char('0')));
    }
    QTest::mouseRelease(&slider, Qt::LeftButton, Qt::NoModifier, sliderPoint(slider, 0.25));

    // Paused at frame 7 exactly, the read-out pads to the end frame's three digits.
    player.setAnimationFrame(7);
    settle();
    EXPECT_EQ(player.controls()->readout()->text(), QStringLiteral("#007/120"));
    EXPECT_DOUBLE_EQ(viewOf(window).currentFrame(), 7);
}

TEST_F(PellorTest, TheLoopButtonCyclesItsModesWithTheirTooltipsAndRestartsFromTheFrameShown) {
    DocumentWindow& window = *openPlayer(write("clip.json", pellortest::animationDocument(120)));
    LottiePlayerView& player = *window.player();
    pellor::StyledButton& button = *player.controls()->loopModeButton();
    EXPECT_EQ(button.toolTip(), QStringLiteral("Loop"));
    EXPECT_EQ(player.controls()->loopModeSymbol(), QStringLiteral("repeat"));
    struct Step {
        LottieLoopMode mode;
        const char* symbol;
        const char* tooltip;
    };
    const Step steps[] = {
        {LottieLoopMode::autoReverse(), "arrow.left.and.right", "Auto Reverse"},
        {LottieLoopMode::playOnce(), "repeat.1", "Play Once"},
        {LottieLoopMode::loop(), "repeat", "Loop"},
    };
    for (const Step& step : steps) {
        for (int tick = 0; tick < 4; ++tick) frame(window);
        const double shown = viewOf(window).realtimeAnimationFrame();
        QTest::mouseClick(&button, Qt::LeftButton);
        EXPECT_EQ(player.loopMode(), step.mode) << step.tooltip;
        EXPECT_EQ(player.controls()->loopModeSymbol(), QLatin1String(step.symbol));
        EXPECT_EQ(button.toolTip(), QLatin1String(step.tooltip));
        EXPECT_EQ(viewOf(window).currentPlaybackMode(), playingWith(step.mode)) << step.tooltip;
        EXPECT_EQ(viewOf(window).loopMode(), step.mode);
        EXPECT_NEAR(viewOf(window).currentFrame(), shown, 0.01) << "restarts from the frame shown, " << step.tooltip;
        EXPECT_TRUE(player.animationPlaying());
    }
}

TEST_F(PellorTest, EverySpeedItemAppliesOnTheNextTurnAndCarriesTheCheckMark) {
    DocumentWindow& window = *openPlayer(write("clip.json", pellortest::animationDocument()));
    LottiePlayerView& player = *window.player();
    QMenu& menu = *player.controls()->speedMenu();
    const QStringList labels{"0.25\u00D7", "0.5\u00D7", "0.75\u00D7", "1.0\u00D7", "1.25\u00D7", "1.5\u00D7", "2.0\u00D7"};
    const double multipliers[] = {0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0};
    for (int chosen = 0; chosen < 7; ++chosen) {
        const QString before = player.playbackSpeed().rawValue();
        menu.actions().at(chosen)->trigger();
        EXPECT_EQ(player.playbackSpeed().rawValue(), before) << "the change waits for the menu to close";
        settle();
        EXPECT_DOUBLE_EQ(player.playbackSpeed().multiplier(), multipliers[chosen]);
        EXPECT_DOUBLE_EQ(viewOf(window).animationSpeed(), multipliers[chosen]);
        EXPECT_EQ(player.controls()->speedButton()->text(), labels[chosen]);
        const QList<QAction*> items = menu.actions();
        ASSERT_EQ(items.size(), 7);
        for (int item = 0; item < 7; ++item) {
            const QString mark = item == chosen ? QStringLiteral("\u2713 ") : QStringLiteral("    ");
            EXPECT_EQ(items[item]->text(), mark + labels[item]) << chosen << " " << item;
        }
    }
}

TEST_F(PellorTest, CtrlIShowsAndHidesTheInspectorWithTheDocumentsFacts) {
    // Padded with white space to exactly 2500 bytes, so its size reads 2.5 kB.
    std::string document = pellortest::animationDocument(90, 512, 300);
    document.append(2500 - document.size(), ' ');
    const QString path = write("clip.json", document);
    DocumentWindow& window = *openPlayer(path);
    LottiePlayerView& player = *window.player();
    window.show();
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_I, Qt::ControlModifier);
    EXPECT_TRUE(player.showInspector());
    EXPECT_TRUE(player.inspectorPane()->isVisible());
    EXPECT_GE(player.inspectorPane()->width(), 280);
    EXPECT_LE(player.inspectorPane()->width(), 360);
    EXPECT_GT(player.inspectorPane()->x(), player.host()->mapTo(&player, QPoint()).x()) << "on the trailing side";
    auto* form = qobject_cast<pellor::AnimationInspectorForm*>(player.inspectorContent());
    ASSERT_NE(form, nullptr);
    const QList<QPair<QString, QString>> expected{
        {"Animation Info", ""}, {"Size", "512x300"}, {"Duration", "3"}, {"Frame rate", "30"}, {"Start frame", "0"},
        {"End frame", "90"},    {"File Info", ""},   {"Path", QFileInfo(path).absoluteFilePath()}, {"File size", "2.5 kB"},
    };
    EXPECT_EQ(form->rows(), expected);
    ASSERT_NE(form->revealButton(), nullptr);
    EXPECT_EQ(form->revealButton()->toolTip(), QStringLiteral("Show in File Manager"));
    QTest::mouseClick(form->revealButton(), Qt::LeftButton);
    EXPECT_EQ(revealed, QStringList{QFileInfo(path).absoluteFilePath()});
    EXPECT_TRUE(alerts.empty());
    // A desktop with no file manager, nor a program for folders: the user is told.
    desktopOpens = false;
    QTest::mouseClick(form->revealButton(), Qt::LeftButton);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].message, QStringLiteral("The file couldn\u2019t be shown in a file manager."));
    EXPECT_TRUE(alerts[0].detail.contains(QFileInfo(path).absoluteFilePath())) << alerts[0].detail.toStdString();
    EXPECT_EQ(alerts[0].parent, &window);

    QTest::keyClick(&window, Qt::Key_I, Qt::ControlModifier);
    EXPECT_FALSE(player.showInspector());
    EXPECT_FALSE(player.inspectorPane()->isVisible());
    EXPECT_EQ(window.infoAction()->text(), QStringLiteral("Info"));
    EXPECT_EQ(window.infoAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
}

TEST_F(PellorTest, ABrokenFileShowsTheAlertAndItsOkClosesThatWindowEvenBehindAnother) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* message;
    };
    const Case cases[] = {
        {"broken.json", "{ \"v\": \"5.7\", \"layers\": [ oops", "Unable to open the JSON file. Please check the file and try again."},
        {"empty.json", "", "Unable to open the JSON file. Please check the file and try again."},
        {"broken.lottie", "PK\x03\x04 but not an archive", "Unable to open the dotLottie file. Please check the file and try again."},
    };
    app->start({});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString broken = write(c.name, c.bytes);
        DocumentWindow* failing = openPlayer(broken);
        ASSERT_NE(failing, nullptr);
        ASSERT_TRUE(failing->player()->isFileErrorPresented());
        QMessageBox& alert = *failing->player()->fileErrorAlert();
        EXPECT_EQ(alert.text(), QStringLiteral("Cannot open file"));
        EXPECT_EQ(alert.informativeText(), QLatin1String(c.message));
        ASSERT_EQ(alert.buttons().size(), 1);
        EXPECT_EQ(alert.buttons()[0]->text(), QStringLiteral("OK"));

        // Another document comes to the front before the user answers.
        DocumentWindow* front = openPlayer(write(std::string("front-") + c.name + ".json", pellortest::animationDocument()));
        ASSERT_NE(front, nullptr);
        front->raise();
        QApplication::setActiveWindow(front);
        ASSERT_EQ(QApplication::activeWindow(), front) << "the other window is the one in front";
        QPointer<DocumentWindow> failingWindow(failing);
        QTest::mouseClick(alert.buttons()[0], Qt::LeftButton);
        settle();
        EXPECT_TRUE(failingWindow.isNull()) << "the window that failed is closed";
        EXPECT_EQ(app->documentWindow(broken), nullptr);
        EXPECT_TRUE(front->isVisible()) << "the window in front stays";
        EXPECT_TRUE(pellor::SceneWindow::find(QStringLiteral("welcome"))->isVisible());
        front->close();
        settle();
    }
}


TEST_F(PellorTest, SliderKeysPauseAsAPressDoesThenMoveByFramesPagesAndToTheEnds) {
    // 120 frames: a page is 12 frames.
    DocumentWindow& window = *openPlayer(write("clip.json", pellortest::animationDocument(120)));
    LottiePlayerView& player = *window.player();
    pellor::FrameSlider& slider = *player.controls()->slider();
    struct Case {
        const char* name;
        Qt::Key key;
        double from;
        double to;
    };
    const Case cases[] = {
        {"right", Qt::Key_Right, 40, 41},
        {"up", Qt::Key_Up, 40, 41},
        {"left", Qt::Key_Left, 40, 39},
        {"down", Qt::Key_Down, 40, 39},
        {"left from a frame between two", Qt::Key_Left, 40.4, 39},
        {"right at the end stays there", Qt::Key_Right, 120, 120},
        {"left at the start stays there", Qt::Key_Left, 0, 0},
        {"page up", Qt::Key_PageUp, 40, 52},
        {"page down", Qt::Key_PageDown, 40, 28},
        {"page down near the start", Qt::Key_PageDown, 5, 0},
        {"page up near the end", Qt::Key_PageUp, 115, 120},
        {"home", Qt::Key_Home, 40, 0},
        {"end", Qt::Key_End, 40, 120},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        player.setAnimationPlaying(false);
        player.setAnimationFrame(c.from);
        settle();
        QTest::keyClick(&slider, c.key);
        settle();
        EXPECT_FALSE(player.animationPlaying());
        EXPECT_DOUBLE_EQ(player.animationFrame(), c.to);
        EXPECT_DOUBLE_EQ(viewOf(window).currentFrame(), c.to) << "the view shows that frame";
    }

    // While it plays, a key pauses (as a press does) and moves from the frame shown.
    struct Playing {
        const char* name;
        Qt::Key key;
        std::function<double(double shown)> to;
    };
    const Playing playing[] = {
        {"right", Qt::Key_Right, [](double shown) { return std::round(shown) + 1; }},
        {"left", Qt::Key_Left, [](double shown) { return std::round(shown) - 1; }},
        {"page up", Qt::Key_PageUp, [](double shown) { return shown + 12; }},
        {"home", Qt::Key_Home, [](double) { return 0.0; }},
        {"end", Qt::Key_End, [](double) { return 120.0; }},
    };
    for (const Playing& c : playing) {
        SCOPED_TRACE(c.name);
        player.setAnimationFrame(20);
        player.setAnimationPlaying(true);
        for (int tick = 0; tick < 9; ++tick) frame(window);
        ASSERT_TRUE(player.animationPlaying());
        const double shown = player.animationFrame();
        ASSERT_GT(shown, 2);
        QTest::keyClick(&slider, c.key);
        settle();
        EXPECT_FALSE(player.animationPlaying());
        const double to = c.to(shown);
        EXPECT_DOUBLE_EQ(player.animationFrame(), to);
        EXPECT_DOUBLE_EQ(viewOf(window).currentFrame(), to);
        for (int tick = 0; tick < 3; ++tick) frame(window);
        EXPECT_DOUBLE_EQ(player.animationFrame(), to) << "and stays there";
    }

    // Keys the slider does not use go on: Space still plays.
    QTest::keyClick(&slider, Qt::Key_Space);
    EXPECT_TRUE(player.animationPlaying());
}


TEST_F(PellorTest, ThePlayerMenuListsSpaceAndCtrlIAndActsAsTheKeysDo) {
    const QString package = write("clip.lottie", pellortest::packageDocument());
    auto* window = qobject_cast<DocumentWindow*>(app->openDocuments({package}, nullptr).value(0));
    ASSERT_NE(window, nullptr);
    QAction* playPause = window->playPauseAction();
    ASSERT_NE(playPause, nullptr);
    EXPECT_EQ(pellortest::menuAction(*window, QStringLiteral("Player"), QStringLiteral("Pause\tSpace")), playPause);
    EXPECT_EQ(pellortest::menuAction(*window, QStringLiteral("Player"), QStringLiteral("Info")), window->infoAction());
    EXPECT_TRUE(playPause->shortcut().isEmpty()) << "Space stays the focused control's";
    EXPECT_FALSE(playPause->isEnabled()) << "as Space, not before the animation has loaded";
    runUntil([window] { return window->player()->animation() != nullptr; });
    ASSERT_TRUE(playPause->isEnabled());
    playPause->trigger();
    EXPECT_FALSE(window->player()->animationPlaying());
    EXPECT_EQ(playPause->text(), QStringLiteral("Play\tSpace"));
    playPause->trigger();
    EXPECT_TRUE(window->player()->animationPlaying());
    EXPECT_EQ(playPause->text(), QStringLiteral("Pause\tSpace"));
    window->infoAction()->trigger();
    EXPECT_TRUE(window->player()->showInspector());
}


TEST_F(PellorTest, APackageWithoutAnAnimationShowsNoAlertAndWaitsWithNothingToPlay) {
    const auto data = packagetest::zipped({ziptest::TestEntry::file("manifest.json", packagetest::manifestJson({}))});
    const QString path = write("nothing.lottie", std::string(reinterpret_cast<const char*>(data.data()), data.size()));
    app->start({});
    auto* window = qobject_cast<DocumentWindow*>(app->openDocuments({path}, nullptr).value(0));
    ASSERT_NE(window, nullptr);
    LottiePlayerView& player = *window->player();
    // The package loads on its own queue; its outcome is the next change of the player's state.
    int changes = 0;
    QObject::connect(&player, &LottiePlayerView::stateChanged, [&changes] { ++changes; });
    runUntil([&changes] { return changes > 0; });
    ASSERT_GT(changes, 0) << "the load has finished";
    EXPECT_FALSE(player.isFileErrorPresented()) << "no alert";
    EXPECT_TRUE(alerts.empty());
    EXPECT_TRUE(window->isVisible()) << "the window stays";
    EXPECT_EQ(player.animation(), nullptr);
    EXPECT_FALSE(sendSpace(player)) << "Space is ignored";
    EXPECT_EQ(player.controls()->slider()->value(), 0);
    EXPECT_EQ(player.controls()->readout()->text(), QStringLiteral("#0/0"));
    QTest::keyClick(player.controls()->slider(), Qt::Key_End);
    EXPECT_EQ(player.controls()->slider()->value(), 0) << "the slider rests at 0";
    player.setShowInspector(true);
    auto* text = qobject_cast<QLabel*>(player.inspectorContent());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(), QStringLiteral("Cannot parse the document."));
}

}  // namespace
