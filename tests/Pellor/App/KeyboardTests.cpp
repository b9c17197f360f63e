// The windows used from the keyboard: Enter on a focused button, Escape on
// the welcome, about and settings windows, the speed menu opened by a key,
// the stops of Tab in a player window, and the review prompt, which takes no
// key meant for a document.
#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <filesystem>
#include <cmath>
#include <QTest>

#include "Pellor/App/RecentDocuments.h"
#include "Pellor/App/SceneWindow.h"
#include "Pellor/App/WelcomeWindow.h"
#include "Pellor/Player/DocumentWindow.h"
#include "Pellor/Player/LottiePlayerView.h"
#include "Pellor/Player/FrameSlider.h"
#include "Pellor/Player/PlaybackControlRow.h"
#include "Pellor/Review/ReviewPromptDialog.h"
#include "Pellor/Styles/StyledButton.h"
#include "tests/Pellor/App/PellorTestSupport.h"

namespace {

using pellor::WelcomeWindow;
using pellortest::PellorTest;

TEST_F(PellorTest, EnterActsOnTheFocusedRecentDocumentAndOpenButton) {
    const QString clip = write("clip.json", pellortest::animationDocument());
    app->recentDocuments().note(clip);
    app->start({});
    auto& welcome = *qobject_cast<WelcomeWindow*>(pellor::SceneWindow::find(QStringLiteral("welcome")));
    ASSERT_EQ(welcome.recentDocumentRows().size(), 1);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        SCOPED_TRACE(key == Qt::Key_Return ? "Return" : "Enter");
        QTest::keyClick(welcome.openButton(), key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        settle();
        QFileDialog* panel = pellortest::visibleOpenPanel();
        ASSERT_NE(panel, nullptr) << "the open panel is shown";
        panel->reject();
        settle();
    }
    // A modifier makes it another key, which the button leaves alone.
    QTest::keyClick(welcome.openButton(), Qt::Key_Return, Qt::ControlModifier);
    settle();
    EXPECT_EQ(pellortest::visibleOpenPanel(), nullptr);

    QTest::keyClick(welcome.recentDocumentRows()[0], Qt::Key_Return);
    settle();
    EXPECT_NE(app->documentWindow(clip), nullptr) << "Enter opens the focused recent document";
    EXPECT_TRUE(alerts.empty());
}

TEST_F(PellorTest, EscapeClosesTheWelcomeAboutAndSettingsWindowsButNotADocument) {
    for (const char* identifier : {"welcome", "about", "settings"}) {
        SCOPED_TRACE(identifier);
        pellor::SceneWindow* window = app->openWindow(QLatin1String(identifier));
        ASSERT_TRUE(window->isVisible());
        QTest::keyClick(window, Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible());
    }
    // From a focused control that has no use for the key, too.
    pellor::SceneWindow* about = app->openWindow(QStringLiteral("about"));
    auto* acknowledgements = about->findChild<pellor::StyledButton*>();
    ASSERT_NE(acknowledgements, nullptr);
    QTest::keyClick(acknowledgements, Qt::Key_Escape);
    EXPECT_FALSE(about->isVisible());

    pellor::DocumentWindow* document = openPlayer(write("clip.json", pellortest::animationDocument()));
    ASSERT_NE(document, nullptr);
    QTest::keyClick(document, Qt::Key_Escape);
    EXPECT_TRUE(document->isVisible()) << "a player window stays";
}

TEST_F(PellorTest, TheSpeedMenuOpenedFromTheKeyboardStartsOnTheCurrentSpeed) {
    pellor::DocumentWindow& window = *openPlayer(write("clip.json", pellortest::animationDocument()));
    pellor::LottiePlayerView& player = *window.player();
    pellor::StyledButton& speed = *player.controls()->speedButton();
    QMenu& menu = *player.controls()->speedMenu();
    for (const char* current : {"speed100", "speed150", "speed025"}) {
        SCOPED_TRACE(current);
        player.setPlaybackSpeed(*pellor::AnimationPlaybackSpeed::fromRawValue(QLatin1String(current)));
        settle();
        QTest::keyClick(&speed, Qt::Key_Space);
        ASSERT_TRUE(menu.isVisible());
        ASSERT_NE(menu.activeAction(), nullptr);
        EXPECT_EQ(menu.activeAction()->data().toString(), QLatin1String(current));
        // The arrows move on from there, and Enter chooses.
        QTest::keyClick(&menu, Qt::Key_Up);
        const QString above = menu.activeAction()->data().toString();
        QTest::keyClick(&menu, Qt::Key_Return);
        settle();
        EXPECT_FALSE(menu.isVisible());
        EXPECT_EQ(player.playbackSpeed().rawValue(), above);
        EXPECT_NE(above, QLatin1String(current));
    }
}

TEST_F(PellorTest, TabGoesRoundThePlayersControlsOnlyAndSpaceStillReachesTheAnimation) {
    pellor::DocumentWindow& window = *openPlayer(write("clip.json", pellortest::animationDocument()));
    pellor::LottiePlayerView& player = *window.player();
    pellor::PlaybackControlRow& row = *player.controls();
    window.show();
    settle();
    QApplication::setActiveWindow(&window);
    settle();
    ASSERT_TRUE(player.hasFocus()) << "the animation takes the focus when it shows";
    // Every stop of Tab is a control that shows its focus; the animation, which
    // shows none, is not among them.
    const QList<QWidget*> expected{row.playPauseButton(), row.slider(), row.loopModeButton(), row.speedButton()};
    QList<QWidget*> stops;
    for (int press = 0; press < 2 * expected.size(); ++press) {
        QTest::keyClick(&window, Qt::Key_Tab);
        stops << QApplication::focusWidget();
    }
    EXPECT_EQ(stops, expected + expected) << "round and round the four controls";

    // From the slider, which has no use for it, Space goes on to the player.
    row.slider()->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(player.animationPlaying());
    QTest::keyClick(row.slider(), Qt::Key_Space);
    EXPECT_FALSE(player.animationPlaying());
    // A click on the animation gives it the focus back.
    QTest::mouseClick(&player, Qt::LeftButton, Qt::NoModifier, QPoint(player.width() / 2, 40));
    EXPECT_TRUE(player.hasFocus());
}

TEST_F(PellorTest, AFreshWelcomeWindowStartsOnAControlWhereReturnOrSpaceDoesNoHarm) {
    struct Case {
        const char* name;
        bool withRecentDocument;
        Qt::Key key;
    };
    const Case cases[] = {
        {"no recent document, Return", false, Qt::Key_Return},
        {"no recent document, Space", false, Qt::Key_Space},
        {"a recent document, Return", true, Qt::Key_Return},
        {"a recent document, Space", true, Qt::Key_Space},
    };
    const QString clip = write("clip.json", pellortest::animationDocument());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        remakeApp(std::make_unique<pellortest::FakeUpdater>());
        app->recentDocuments().clear();
        if (c.withRecentDocument) app->recentDocuments().note(clip);
        app->start({});
        auto& welcome = *qobject_cast<WelcomeWindow*>(pellor::SceneWindow::find(QStringLiteral("welcome")));
        QApplication::setActiveWindow(&welcome);
        settle();
        QWidget* expected = c.withRecentDocument ? static_cast<QWidget*>(welcome.recentDocumentRows().value(0))
                                                 : welcome.openButton();
        ASSERT_NE(expected, nullptr);
        EXPECT_EQ(welcome.focusWidget(), expected);
        EXPECT_FALSE(welcome.closeButton()->hasFocus());

        // The key goes where the focus is, as a keyboard's would.
        QTest::keyClick(QApplication::focusWidget(), c.key);
        settle();
        if (c.withRecentDocument) {
            EXPECT_NE(app->documentWindow(clip), nullptr) << "the newest document opens";
        } else {
            EXPECT_TRUE(welcome.isVisible()) << "the only window stays";
            QFileDialog* panel = pellortest::visibleOpenPanel();
            ASSERT_NE(panel, nullptr) << "the open panel is offered";
            panel->reject();
            settle();
        }
        for (QWidget* window : app->documentWindows()) window->close();
        settle();
    }
}

TEST_F(PellorTest, AfterTheAlertForAGoneRecentDocumentTheNextKeyDoesNoHarm) {
    // The alert is shown as the user meets it, and answered from the keyboard.
    // The row that had the focus goes from the list while the alert is up, and
    // the focus goes at once to the newest document left, else to "Open...".
    struct Case {
        const char* name;
        bool withAnotherDocument;
        Qt::Key key;
    };
    const Case cases[] = {
        {"the gone document alone, Return", false, Qt::Key_Return},
        {"the gone document alone, Space", false, Qt::Key_Space},
        {"another document listed, Return", true, Qt::Key_Return},
        {"another document listed, Space", true, Qt::Key_Space},
    };
    const QString kept = write("kept.json", pellortest::animationDocument());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        remakeApp(std::make_unique<pellortest::FakeUpdater>());
        app->setAlertPresenter(std::make_unique<pellor::AlertPresenter>());
        app->recentDocuments().clear();
        if (c.withAnotherDocument) app->recentDocuments().note(kept);
        const QString gone = write("gone.json", pellortest::animationDocument());
        app->recentDocuments().note(gone);
        std::filesystem::remove(gone.toStdString());
        app->start({});
        auto& welcome = *qobject_cast<WelcomeWindow*>(pellor::SceneWindow::find(QStringLiteral("welcome")));
        QApplication::setActiveWindow(&welcome);
        settle();
        ASSERT_EQ(QApplication::focusWidget(), welcome.recentDocumentRows().value(0));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        settle();
        QMessageBox* alert = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) alert = box;
        }
        ASSERT_NE(alert, nullptr) << "the user is told the file is gone";
        QWidget* expected = c.withAnotherDocument ? static_cast<QWidget*>(welcome.recentDocumentRows().value(0))
                                                  : welcome.openButton();
        ASSERT_NE(expected, nullptr);
        EXPECT_EQ(welcome.focusWidget(), expected) << "at once, before the window is active again";
        QApplication::setActiveWindow(alert);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        settle();
        ASSERT_FALSE(alert->isVisible());
        QApplication::setActiveWindow(&welcome);
        settle();

        EXPECT_EQ(QApplication::focusWidget(), expected);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        typeWhereTheFocusIsAndCloseWhatItOpened(welcome, c.key);
    }
}

TEST_F(PellorTest, TheWelcomeWindowActivatedWithNoFocusedControlFocusesWhereKeysDoNoHarm) {
    // However its focus went (an alert's answer may leave it with none), Qt
    // would give it to the first control, the close button.
    struct Case {
        const char* name;
        bool withRecentDocument;
    };
    const Case cases[] = {
        {"a recent document: the newest row", true},
        {"none: \"Open...\"", false},
    };
    const QString clip = write("clip.json", pellortest::animationDocument());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        remakeApp(std::make_unique<pellortest::FakeUpdater>());
        app->recentDocuments().clear();
        if (c.withRecentDocument) app->recentDocuments().note(clip);
        app->start({});
        auto& welcome = *qobject_cast<WelcomeWindow*>(pellor::SceneWindow::find(QStringLiteral("welcome")));
        QApplication::setActiveWindow(&welcome);
        settle();
        QWidget* expected = c.withRecentDocument ? static_cast<QWidget*>(welcome.recentDocumentRows().value(0))
                                                 : welcome.openButton();
        ASSERT_NE(expected, nullptr);
        ASSERT_EQ(QApplication::focusWidget(), expected);

        QApplication::setActiveWindow(app->openWindow(QStringLiteral("about")));
        settle();
        welcome.focusWidget()->clearFocus();
        ASSERT_EQ(welcome.focusWidget(), nullptr);
        QApplication::setActiveWindow(&welcome);
        settle();
        EXPECT_EQ(QApplication::focusWidget(), expected);
        EXPECT_FALSE(welcome.closeButton()->hasFocus());
        typeWhereTheFocusIsAndCloseWhatItOpened(welcome, Qt::Key_Return);
    }
}

TEST_F(PellorTest, TheReviewPromptTakesNoKeyTypedForADocumentWindow) {
    // The prompt comes about two seconds after start, while the user may be
    // typing in a document's window.
    struct Case {
        const char* name;
        QKeyCombination key;
        // Whether the key quits the viewer.
        bool quits;
    };
    const Case cases[] = {
        {"Space", QKeyCombination(Qt::Key_Space), false},
        {"Return", QKeyCombination(Qt::Key_Return), false},
        {"Ctrl+Q", QKeyCombination(Qt::ControlModifier, Qt::Key_Q), true},
    };
    const QString clip = write("clip.json", pellortest::animationDocument());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        remakeApp(std::make_unique<pellortest::FakeUpdater>());
        openedUrls.clear();
        QPointer<pellor::DocumentWindow> window = openPlayer(clip);
        ASSERT_NE(window, nullptr);
        QApplication::setActiveWindow(window);
        settle();
        QPointer<pellor::ReviewPromptDialog> prompt = app->presentReviewPrompt();
        settle();
        EXPECT_TRUE(prompt->testAttribute(Qt::WA_ShowWithoutActivating)) << "it does not ask for the focus";
        // Where the window system gives it the focus all the same, the key
        // reaches it as a keyboard's would.
        QTest::keyClick(QGuiApplication::focusWindow(), c.key.key(), c.key.keyboardModifiers());
        settle();
        EXPECT_TRUE(openedUrls.empty()) << "the review page is not opened";
        if (c.quits) {
            EXPECT_FALSE(window && window->isVisible()) << "the viewer quits";
        } else {
            EXPECT_TRUE(prompt && prompt->isVisible()) << "the prompt is not answered";
        }
        if (prompt) prompt->close();
        settle();
    }
}

TEST_F(PellorTest, AClickOnTheSliderGivesItTheArrowKeysItsTooltipNames) {
    pellor::DocumentWindow& window = *openPlayer(write("clip.json", pellortest::animationDocument(120)));
    pellor::LottiePlayerView& player = *window.player();
    pellor::FrameSlider& slider = *player.controls()->slider();
    window.show();
    QApplication::setActiveWindow(&window);
    settle();
    ASSERT_TRUE(player.hasFocus());
    player.setAnimationPlaying(false);
    player.setAnimationFrame(40);
    settle();
    // A click on the track moves the frame there.
    QTest::mouseClick(&slider, Qt::LeftButton);
    settle();
    EXPECT_TRUE(slider.hasFocus());
    const double clicked = player.animationFrame();
    // Right, as a keyboard would send it: to the focused control.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    settle();
    EXPECT_DOUBLE_EQ(player.animationFrame(), std::round(clicked) + 1);
    // Space still plays from there.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(player.animationPlaying());
}

}  // namespace
