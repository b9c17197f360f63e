// The review policy joined to the windows: the welcome window's first
// appearance asks it with a wait, a player's closing without one, and a wait
// still running when the application goes is called off.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMessageBox>
#include <QSettings>

#include "Pellor/App/ReviewPolicyHooks.h"
#include "Pellor/Player/DocumentWindow.h"
#include "Pellor/Player/LottiePlayerView.h"
#include "Pellor/Review/ReviewRequestManager.h"
#include "tests/Pellor/Support/ManualDelayTimer.h"
#include "tests/Pellor/App/PellorTestSupport.h"

namespace {

using pellor::ReviewRequestManager;
using pellor::ReviewRequestTriggerAction;
using pellortest::PellorTest;

using pellortest::ManualDelayTimer;

class ReviewHooksTest : public PellorTest {
protected:
    void SetUp() override {
        PellorTest::SetUp();
        store = std::make_shared<QSettings>(QString::fromStdString((folder.path() / "review.ini").string()),
                                            QSettings::IniFormat);
        timer = std::make_shared<ManualDelayTimer>();
        pellor::ReviewRequestEnvironment environment;
        environment.now = [] { return pellor::ReviewDate(std::chrono::seconds(2'000'000'000)); };
        environment.currentVersion = [] { return QStringLiteral("1.2"); };
        environment.timer = timer;
        manager = std::make_unique<ReviewRequestManager>(store, environment);
        app->setReviewRequestHooks(std::make_unique<pellor::ReviewPolicyHooks>(*manager, [this] { ++prompts; }));
    }
    void TearDown() override {
        PellorTest::TearDown();
        manager.reset();
    }

    std::shared_ptr<QSettings> store;
    std::shared_ptr<ManualDelayTimer> timer;
    std::unique_ptr<ReviewRequestManager> manager;
    int prompts = 0;
};

TEST_F(ReviewHooksTest, TheWelcomeWindowsFirstAppearanceAsksOnceAndPromptsAfterTwoSeconds) {
    store->setValue(QLatin1String(ReviewRequestManager::fileOpenCountKey), 1);
    app->start({});
    ASSERT_EQ(timer->waits.size(), 1u);
    EXPECT_EQ(timer->waits[0]->delay, std::chrono::milliseconds(2000));
    EXPECT_EQ(prompts, 0) << "nothing before the wait";
    EXPECT_FALSE(manager->storedRecord());

    // Later appearances of the same window ask nothing.
    app->openWindow(QStringLiteral("welcome"))->close();
    app->openWindow(QStringLiteral("welcome"));
    EXPECT_EQ(timer->waits.size(), 1u);

    timer->waits[0]->fire();
    EXPECT_EQ(prompts, 1);
    ASSERT_TRUE(manager->storedRecord());
    EXPECT_EQ(manager->storedRecord()->triggerAction, ReviewRequestTriggerAction::welcomeScreenOpen);
}

TEST_F(ReviewHooksTest, WithoutAnOpenedFileTheWelcomeWindowAsksForNothing) {
    app->start({});
    EXPECT_TRUE(timer->waits.empty());
    EXPECT_EQ(prompts, 0);
}

TEST_F(ReviewHooksTest, ClosingAPlayerPromptsAtOnceWhenThePolicyAgrees) {
    store->setValue(QLatin1String(ReviewRequestManager::fileOpenCountKey), 3);
    pellor::DocumentWindow* player = openPlayer(write("clip.json", pellortest::animationDocument()));
    ASSERT_NE(player, nullptr);
    player->close();
    settle();
    EXPECT_EQ(prompts, 1);
    EXPECT_TRUE(timer->waits.empty()) << "no wait for a closing player";
    ASSERT_TRUE(manager->storedRecord());
    EXPECT_EQ(manager->storedRecord()->triggerAction, ReviewRequestTriggerAction::fileClose);
}

TEST_F(ReviewHooksTest, AWaitStillRunningWhenTheApplicationGoesIsCalledOff) {
    store->setValue(QLatin1String(ReviewRequestManager::fileOpenCountKey), 1);
    app->start({});
    ASSERT_EQ(timer->waits.size(), 1u);
    app.reset();
    EXPECT_TRUE(timer->waits[0]->stopped);
    EXPECT_EQ(prompts, 0);
    EXPECT_FALSE(manager->storedRecord());
}

TEST_F(ReviewHooksTest, TheApplicationAsksThePolicyUnlessTold) {
    pellor::PellorApp fresh(std::make_unique<pellortest::FakeUpdater>());
    EXPECT_NE(dynamic_cast<pellor::ReviewPolicyHooks*>(&fresh.reviewRequestHooks()), nullptr);
}

}  // namespace

namespace {

TEST_F(ReviewHooksTest, ThePromptWaitsUntilNoAlertIsOpen) {
    store->setValue(QLatin1String(ReviewRequestManager::fileOpenCountKey), 1);
    app->start({});
    ASSERT_EQ(timer->waits.size(), 1u);
    // A launch whose file failed: its alert is up when the two seconds are over.
    pellor::DocumentWindow* failing = openPlayer(write("broken.json", "{ oops"));
    ASSERT_NE(failing, nullptr);
    ASSERT_TRUE(failing->player()->isFileErrorPresented());
    // A second alert, over the welcome window, keeps it waiting after the first goes.
    QMessageBox other(QMessageBox::Warning, QStringLiteral("Pellor"), QStringLiteral("Something else."));
    other.show();

    timer->waits[0]->fire();
    settle();
    EXPECT_EQ(prompts, 0) << "not stacked with an alert";
    ASSERT_TRUE(manager->storedRecord()) << "the policy itself went on at its own time";
    auto* hooks = static_cast<pellor::ReviewPolicyHooks*>(&app->reviewRequestHooks());
    EXPECT_EQ(hooks->heldPrompts(), 1u);

    QCloseEvent close;
    QCoreApplication::sendEvent(failing->player()->fileErrorAlert(), &close);
    settle();
    EXPECT_EQ(prompts, 0) << "one alert is still open";
    other.close();
    settle();
    EXPECT_EQ(prompts, 1) << "once no alert is open";
    EXPECT_EQ(hooks->heldPrompts(), 0u);
    other.show();
    other.close();
    settle();
    EXPECT_EQ(prompts, 1) << "once";
}

}  // namespace
