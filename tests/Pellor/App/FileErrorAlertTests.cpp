// The player's "Cannot open file" alert as the user meets it: every way of
// dismissing it closes the window that failed and brings back the welcome
// window; it is laid out at its natural size and shows centred on its own
// window, once that window is on screen.
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "Pellor/App/AlertPresenter.h"
#include "Pellor/App/SceneWindow.h"
#include "Pellor/Player/DocumentWindow.h"
#include "Pellor/Player/FileErrorAlert.h"
#include "Pellor/Player/LottiePlayerView.h"
#include "Pellor/Player/PlaybackControlRow.h"
#include "tests/Pellor/App/PellorTestSupport.h"

namespace {

using pellor::DocumentWindow;
using pellor::FileErrorAlert;
using pellortest::PellorTest;

const QString kJsonMessage = QStringLiteral("Unable to open the JSON file. Please check the file and try again.");

TEST_F(PellorTest, EveryWayOfDismissingTheFileAlertClosesItsWindowAndBringsBackTheWelcomeWindow) {
    struct Case {
        const char* name;
        std::function<void(FileErrorAlert&)> dismiss;
        // Of two documents open beside it, a.json and b.json, the one the user
        // went to while the alert waited: in front once the alert is answered,
        // with the welcome window behind it. None open beside it when negative.
        int lastActive = -1;
    };
    const auto ok = [](FileErrorAlert& alert) { QTest::mouseClick(alert.buttons().value(0), Qt::LeftButton); };
    const Case cases[] = {
        {"OK, with a.json the document last active", ok, 0},
        {"OK, with b.json the document last active", ok, 1},
        {"OK", ok},
        {"Escape", [](FileErrorAlert& alert) { QTest::keyClick(&alert, Qt::Key_Escape); }},
        {"the window manager's close button",
         [](FileErrorAlert& alert) {
             QCloseEvent close;
             QCoreApplication::sendEvent(&alert, &close);
         }},
    };
    app->start({});
    const QString broken = write("broken.json", "{ \"v\": \"5.7\", \"layers\": [ oops");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QList<QPointer<DocumentWindow>> others;
        if (c.lastActive >= 0) {
            for (const char* name : {"a.json", "b.json"}) others << openPlayer(write(name, pellortest::animationDocument()));
        }
        DocumentWindow* window = openPlayer(broken);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(window->player()->isFileErrorPresented());
        ASSERT_FALSE(pellor::SceneWindow::find(QStringLiteral("welcome"))->isVisible());
        QPointer<DocumentWindow> failing(window);
        QPointer<FileErrorAlert> alert(window->player()->fileErrorAlert());
        ASSERT_TRUE(alert && alert->isVisible());
        if (c.lastActive >= 0) {
            DocumentWindow* chosen = others.value(c.lastActive);
            ASSERT_NE(chosen, nullptr);
            chosen->raise();
            chosen->activateWindow();
            settle();
            ASSERT_EQ(QApplication::activeWindow(), chosen);
        }
        c.dismiss(*alert);
        settle();
        EXPECT_TRUE(alert.isNull() || !alert->isVisible()) << "the alert is gone";
        EXPECT_TRUE(failing.isNull()) << "no dead player window is left behind";
        EXPECT_EQ(app->documentWindow(broken), nullptr);
        EXPECT_TRUE(pellor::SceneWindow::find(QStringLiteral("welcome"))->isVisible());
        if (c.lastActive >= 0) {
            EXPECT_EQ(QApplication::activeWindow(), others.value(c.lastActive)) << "the document the user was in";
            for (const QPointer<DocumentWindow>& other : others) {
                if (other) other->close();
            }
            settle();
        }
    }
}

TEST_F(PellorTest, TheFileAlertTakesItsNaturalSizeAndEachAlertShowsCentredOnItsWindowAsItStands) {
    // Two failing documents in windows at different places: each alert is over
    // its own, and so is the report of a file of the same request that could
    // not be read.
    app->setAlertPresenter(std::make_unique<pellor::AlertPresenter>());
    const QString first = write("first.json", "{ not an animation");
    const QString second = write("second.json", "");
    struct Place {
        QString path;
        QPoint at;
    };
    // Both within the screen (800 x 600 here), where the alert is not held inside it.
    for (const Place& place : {Place{first, QPoint(0, 0)}, Place{second, QPoint(310, 180)}}) {
        // Placed, as a window manager places a new window, before it is on
        // screen and before its animation has been decoded (which is posted).
        auto* window =
            qobject_cast<DocumentWindow*>(app->openDocuments({place.path, missing("gone.json")}, nullptr).value(0));
        ASSERT_NE(window, nullptr);
        window->resize(480, 400);
        window->move(place.at);
        runUntil([window] { return window->player()->isFileErrorPresented(); });
        QMessageBox* report = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box && box->parentWidget() == window && box->text().contains(QStringLiteral("gone.json"))) report = box;
        }
        ASSERT_NE(report, nullptr);
        ASSERT_TRUE(report->isVisible());
        const QPoint reportOffset = report->frameGeometry().center() - window->frameGeometry().center();
        EXPECT_LE(reportOffset.manhattanLength(), 2) << "the report over the window at " << place.at.x() << "," << place.at.y();
        FileErrorAlert& alert = *window->player()->fileErrorAlert();
        ASSERT_TRUE(alert.isVisible());
        EXPECT_EQ(alert.windowTitle(), QStringLiteral("Cannot open file"));
        EXPECT_EQ(alert.informativeText(), kJsonMessage);
        // Natural size: the message on one line, not wrapped under the title.
        auto* message = alert.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
        ASSERT_NE(message, nullptr);
        EXPECT_GE(message->width(), message->fontMetrics().horizontalAdvance(kJsonMessage));
        const QRect wrapped = message->fontMetrics().boundingRect(QRect(0, 0, message->contentsRect().width(), 1000),
                                                                  Qt::TextWordWrap, kJsonMessage);
        EXPECT_LT(wrapped.height(), 2 * message->fontMetrics().lineSpacing()) << "one line";
        const QPoint offset = alert.frameGeometry().center() - window->frameGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 2) << "centred on its own window at " << place.at.x() << "," << place.at.y();
        report->done(QMessageBox::Ok);
        settle();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(PellorTest, TheFileAlertWaitsForItsWindowToBeOnScreen) {
    QWidget window;
    window.resize(500, 400);
    window.move(120, 90);
    auto* alert = new FileErrorAlert(QStringLiteral("Cannot open file"), kJsonMessage, &window);
    int dismissed = 0;
    QObject::connect(alert, &FileErrorAlert::dismissed, [&dismissed] { ++dismissed; });
    alert->present();
    settle();
    EXPECT_FALSE(alert->isVisible()) << "not before its window";
    window.show();
    settle();
    ASSERT_TRUE(alert->isVisible());
    EXPECT_TRUE(alert->isModal());
    EXPECT_EQ(alert->windowModality(), Qt::WindowModal);
    EXPECT_LE((alert->frameGeometry().center() - window.frameGeometry().center()).manhattanLength(), 2);
    EXPECT_EQ(dismissed, 0);
    alert->close();
    settle();
    EXPECT_EQ(dismissed, 1) << "once";
}

}  // namespace

namespace {

TEST_F(PellorTest, ATextFileNamedJsonOpensAWindowWhosePlayerShowsTheAlert) {
    // Reading takes the kind from the name and does not look inside; decoding fails in the player.
    const QString notes = write("notes.json", "Remember the milk.\n");
    DocumentWindow* window = openPlayer(notes);
    ASSERT_NE(window, nullptr) << "a window opens for it";
    EXPECT_EQ(window->windowTitle(), QStringLiteral("notes.json"));
    EXPECT_EQ(window->document().kind(), pellor::DocumentKind::json);
    ASSERT_TRUE(window->player()->isFileErrorPresented());
    EXPECT_EQ(window->player()->fileErrorAlert()->informativeText(), kJsonMessage);
    EXPECT_TRUE(alerts.empty()) << "the application reports nothing of its own";
}

TEST_F(PellorTest, SeveralFailuresAtOnceLeaveEveryAlertOnScreenUntilItIsAnswered) {
    // Shown as the user sees them, not recorded.
    app->setAlertPresenter(std::make_unique<pellor::AlertPresenter>());
    app->start({});
    pellor::SceneWindow& welcome = *pellor::SceneWindow::find(QStringLiteral("welcome"));
    // The first window of the request fails to decode: the report of the two
    // files that could not be read is shown over it.
    const QStringList paths{write("notes.json", "Remember the milk.\n"), missing("gone.json"),
                            write("empty.json", ""), missing("lost.json"),
                            write("truncated.lottie", pellortest::packageDocument().substr(0, 40)),
                            write("good.json", pellortest::animationDocument(10))};
    app->openDocuments(paths, nullptr);
    const auto visibleAlerts = [] {
        QList<QMessageBox*> boxes;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) boxes << box;
        }
        return boxes;
    };
    runUntil([&] { return visibleAlerts().size() == 4; });
    ASSERT_EQ(visibleAlerts().size(), 4) << "three documents that do not decode, and the report";
    QPointer<QMessageBox> report;
    for (QMessageBox* box : visibleAlerts()) {
        if (box->text() == QStringLiteral("2 files couldn\u2019t be opened.")) report = box;
    }
    ASSERT_FALSE(report.isNull());
    ASSERT_EQ(report->parentWidget(), app->documentWindow(paths[0]));

    // Each document alert answered in turn: the report stays, and the welcome
    // window waits rather than rise over what is still unanswered.
    for (const QString& failing : {paths[0], paths[2], paths[4]}) {
        SCOPED_TRACE(QFileInfo(failing).fileName().toStdString());
        auto* window = qobject_cast<DocumentWindow*>(app->documentWindow(failing));
        ASSERT_NE(window, nullptr);
        FileErrorAlert* alert = window->player()->fileErrorAlert();
        ASSERT_TRUE(alert && alert->isVisible());
        QTest::mouseClick(alert->buttons().value(0), Qt::LeftButton);
        settle();
        EXPECT_EQ(app->documentWindow(failing), nullptr);
        ASSERT_FALSE(report.isNull()) << "the report is still there";
        EXPECT_TRUE(report->isVisible());
        EXPECT_TRUE(report->parentWidget() == nullptr || report->parentWidget()->isVisible()) << "over a window on screen";
        EXPECT_FALSE(welcome.isVisible());
    }
    EXPECT_NE(app->documentWindow(paths[5]), nullptr) << "the document that opened stays";
    report->done(QMessageBox::Ok);
    settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(report.isNull()) << "answered, it goes";
    EXPECT_TRUE(visibleAlerts().isEmpty());
    EXPECT_TRUE(welcome.isVisible()) << "back once every alert has been answered";
    EXPECT_EQ(QApplication::activeWindow(), app->documentWindow(paths[5])) << "behind the document that opened";
}

}  // namespace

namespace {

// A click on the button, or a key, as the desktop delivers them: to the
// alert's window, where a window blocked by another alert takes neither.
void clickThroughItsWindow(QAbstractButton& button) {
    QWidget& box = *button.window();
    QTest::mouseClick(box.windowHandle(), Qt::LeftButton, Qt::NoModifier, button.mapTo(&box, button.rect().center()));
}

void keyThroughItsWindow(QWidget& box, Qt::Key key) {
    QApplication::setActiveWindow(&box);
    QTest::keyClick(box.windowHandle(), key);
}

TEST_F(PellorTest, EachOfTwoAlertsOverOneWindowAnswersItsOwnButtons) {
    // As `pellor missing.json empty.json` shows them: the report of the file
    // that is not there and the alert of the document that does not decode,
    // both over that document's window.
    app->setAlertPresenter(std::make_unique<pellor::AlertPresenter>());
    struct Case {
        const char* name;
        bool reportFirst;
        std::function<void(QMessageBox&)> answer;
    };
    const Case cases[] = {
        {"a click on the report's OK", true,
         [](QMessageBox& box) { clickThroughItsWindow(*box.buttons().value(0)); }},
        {"Return on the report", true, [](QMessageBox& box) { keyThroughItsWindow(box, Qt::Key_Return); }},
        {"the document's alert answered first", false,
         [](QMessageBox& box) { clickThroughItsWindow(*box.buttons().value(0)); }},
    };
    app->start({});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString empty = write("empty.json", "");
        app->openDocuments({missing("missing.json"), empty}, nullptr);
        auto* window = qobject_cast<DocumentWindow*>(app->documentWindow(empty));
        ASSERT_NE(window, nullptr);
        runUntil([window] { return window->player()->isFileErrorPresented() && window->player()->fileErrorAlert()->isVisible(); });
        QPointer<QMessageBox> alert(window->player()->fileErrorAlert());
        QPointer<QMessageBox> report;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box && box != alert && box->isVisible()) report = box;
        }
        ASSERT_FALSE(report.isNull()) << "the report is up beside the alert";
        ASSERT_EQ(report->parentWidget(), window);

        QPointer<QMessageBox> first = c.reportFirst ? report : alert;
        QPointer<QMessageBox> second = c.reportFirst ? alert : report;
        c.answer(*first);
        settle();
        EXPECT_TRUE(first.isNull() || !first->isVisible()) << "the first answers";
        ASSERT_FALSE(second.isNull());
        ASSERT_TRUE(second->isVisible()) << "the other stays until answered";
        clickThroughItsWindow(*second->buttons().value(0));
        settle();
        EXPECT_TRUE(second.isNull() || !second->isVisible()) << "and then answers too";
        EXPECT_EQ(app->documentWindow(empty), nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

}  // namespace
