// The review policy over a settings file in a temporary folder, with a clock,
// a version and a wait that the tests set by hand.
#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>
#include <limits>

#include "Pellor/Review/ReviewRequestManager.h"
#include "tests/Pellor/Support/ManualDelayTimer.h"

namespace pellor {
namespace {

using Trigger = ReviewRequestTriggerAction;
using std::chrono::milliseconds;

constexpr double hour = 3600;
constexpr double day = 86400;
constexpr double start = 1'700'000'000;

using pellortest::ManualDelayTimer;

class ReviewRequestManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        store = std::make_shared<QSettings>(folder.filePath("settings.ini"), QSettings::IniFormat);
        timer = std::make_shared<ManualDelayTimer>();
        manager = std::make_unique<ReviewRequestManager>(
            store, ReviewRequestEnvironment{[this] { return ReviewDate(std::chrono::duration<double>(now)); },
                                            [this] { return version; }, timer});
    }

    // What another process would read from the same file.
    QVariant storedInFile(const char* key) const {
        return QSettings(folder.filePath("settings.ini"), QSettings::IniFormat).value(QString::fromLatin1(key));
    }
    std::optional<ReviewRequestInfo> fileRecord() const {
        return ReviewRequestInfo::fromRawValue(storedInFile(ReviewRequestManager::reviewRequestInfoKey).toString());
    }

    QTemporaryDir folder;
    std::shared_ptr<QSettings> store;
    std::shared_ptr<ManualDelayTimer> timer;
    std::unique_ptr<ReviewRequestManager> manager;
    double now = start;
    QString version = QStringLiteral("1.1");
};

TEST_F(ReviewRequestManagerTest, AsksOnlyForAnotherTriggerAnotherVersionAfterADayWithEnoughFilesOpened) {
    struct Case {
        const char* name;
        std::optional<QString> record;       // stored text; none for no record
        std::optional<QVariant> fileCount;   // none for no count
        double age;                          // seconds since the record's date
        Trigger trigger;
        bool expected;
    };
    const auto recordOf = [](Trigger trigger, const char* appVersion) {
        return ReviewRequestInfo{trigger, ReviewDate(std::chrono::duration<double>(start)), appVersion, 1}.rawValue();
    };
    const QString welcomeOld = recordOf(Trigger::welcomeScreenOpen, "1.0");
    const QString closeOld = recordOf(Trigger::fileClose, "1.0");
    const Case cases[] = {
        {"first launch, nothing opened", std::nullopt, std::nullopt, 0, Trigger::welcomeScreenOpen, false},
        {"welcome, none opened", std::nullopt, 0, 0, Trigger::welcomeScreenOpen, false},
        {"welcome, one opened", std::nullopt, 1, 0, Trigger::welcomeScreenOpen, true},
        {"close, two opened", std::nullopt, 2, 0, Trigger::fileClose, false},
        {"close, three opened", std::nullopt, 3, 0, Trigger::fileClose, true},
        {"count not a number", std::nullopt, QStringLiteral("many"), 0, Trigger::welcomeScreenOpen, false},
        {"same trigger, whatever its age and version", welcomeOld, 50, 400 * day, Trigger::welcomeScreenOpen, false},
        {"same trigger, close", closeOld, 50, 400 * day, Trigger::fileClose, false},
        {"same version", recordOf(Trigger::fileClose, "1.1"), 50, 30 * day, Trigger::welcomeScreenOpen, false},
        {"other trigger, other version, 25 hours", welcomeOld, 3, 25 * hour, Trigger::fileClose, true},
        {"other trigger, other version, 23 hours", welcomeOld, 3, 23 * hour, Trigger::fileClose, false},
        {"exactly one day", welcomeOld, 3, day, Trigger::fileClose, true},
        {"half a second short of a day", welcomeOld, 3, day - 0.5, Trigger::fileClose, false},
        {"a day gone but too few files", welcomeOld, 2, 25 * hour, Trigger::fileClose, false},
        {"a record from the future", welcomeOld, 3, -hour, Trigger::fileClose, false},
        {"a word is no record", QStringLiteral("word"), 1, 0, Trigger::welcomeScreenOpen, true},
        {"capital prefixes read", QStringLiteral("TA:welcomeScreenOpen;date:1.0;av:1.0;rrc:1"), 9, 400 * day,
         Trigger::welcomeScreenOpen, false},
        {"a stray letter in the date is no record", QStringLiteral("ta:welcomeScreenOpen;date:1700000000.0x;av:1.0;rrc:1"),
         1, 0, Trigger::welcomeScreenOpen, true},
        {"a record stored as a number is no record", QString(), 1, 0, Trigger::welcomeScreenOpen, true},
    };
    for (const auto& c : cases) {
        store->clear();
        if (c.record) {
            if (c.record->isEmpty()) store->setValue(ReviewRequestManager::reviewRequestInfoKey, 42);
            else store->setValue(ReviewRequestManager::reviewRequestInfoKey, *c.record);
        }
        if (c.fileCount) store->setValue(ReviewRequestManager::fileOpenCountKey, *c.fileCount);
        now = start + c.age;
        EXPECT_EQ(manager->shouldRequestReview(c.trigger), c.expected) << c.name;
    }
}

TEST_F(ReviewRequestManagerTest, ARecordedRequestStoresTheTriggerTimeVersionAndNextCountBeforeItsAction) {
    struct Case {
        const char* name;
        std::optional<QString> before;
        std::int64_t expectedCount;
    } cases[] = {
        {"first request", std::nullopt, 1},
        {"after the 41st", QStringLiteral("ta:welcomeScreenOpen;date:5.0;av:0.9;rrc:41"), 42},
        {"over an unreadable record", QStringLiteral("ta:nothing;date:5.0;av:0.9;rrc:41"), 1},
        {"at the largest count", QStringLiteral("ta:welcomeScreenOpen;date:5.0;av:0.9;rrc:9223372036854775807"),
         std::numeric_limits<std::int64_t>::max()},
    };
    for (const auto& c : cases) {
        store->clear();
        if (c.before) store->setValue(ReviewRequestManager::reviewRequestInfoKey, *c.before);
        now += 10.5;
        std::optional<ReviewRequestInfo> seenByAction;
        int actions = 0;
        const auto task = manager->recordReviewRequest(Trigger::fileClose, std::nullopt, [&] {
            ++actions;
            seenByAction = fileRecord();
        });
        EXPECT_EQ(task->state(), ReviewRequestTask::State::recorded) << c.name;
        EXPECT_EQ(actions, 1) << c.name;
        const ReviewRequestInfo expected{Trigger::fileClose, ReviewDate(std::chrono::duration<double>(now)), version,
                                         c.expectedCount};
        EXPECT_EQ(fileRecord(), expected) << c.name;
        EXPECT_EQ(seenByAction, expected) << c.name;
        EXPECT_TRUE(timer->waits.empty()) << c.name;
    }
}

TEST_F(ReviewRequestManagerTest, ADelayedRequestIsRecordedWhenItsWaitEndsWithTheTimeItEnded) {
    int actions = 0;
    const auto task = manager->recordReviewRequest(Trigger::welcomeScreenOpen, milliseconds(2000), [&] { ++actions; });
    ASSERT_EQ(timer->waits.size(), 1u);
    EXPECT_EQ(timer->waits[0]->delay, milliseconds(2000));
    EXPECT_EQ(task->state(), ReviewRequestTask::State::waiting);
    EXPECT_EQ(actions, 0);
    EXPECT_FALSE(store->contains(ReviewRequestManager::reviewRequestInfoKey));

    now += 2;
    timer->waits[0]->fire();
    EXPECT_EQ(task->state(), ReviewRequestTask::State::recorded);
    EXPECT_EQ(actions, 1);
    ASSERT_TRUE(fileRecord().has_value());
    EXPECT_EQ(fileRecord()->date.time_since_epoch().count(), start + 2);
    EXPECT_EQ(fileRecord()->triggerAction, Trigger::welcomeScreenOpen);

    // A timer that fires twice still records once.
    timer->waits[0]->fire();
    EXPECT_EQ(actions, 1);
    EXPECT_EQ(fileRecord()->reviewRequestsCount, 1);
}

TEST_F(ReviewRequestManagerTest, ACancelledOrAbandonedWaitRecordsNothingAndRunsNothing) {
    const QString before = QStringLiteral("ta:fileClose;date:5.0;av:0.9;rrc:4");
    store->setValue(ReviewRequestManager::reviewRequestInfoKey, before);
    int actions = 0;

    const auto cancelled = manager->recordReviewRequest(Trigger::welcomeScreenOpen, milliseconds(2000), [&] { ++actions; });
    cancelled->cancel();
    EXPECT_EQ(cancelled->state(), ReviewRequestTask::State::cancelled);
    EXPECT_TRUE(timer->waits[0]->stopped);
    timer->waits[0]->fire();  // too late to matter

    // The manager going away calls off what still waits.
    const auto abandoned = manager->recordReviewRequest(Trigger::welcomeScreenOpen, milliseconds(2000), [&] { ++actions; });
    manager.reset();
    EXPECT_EQ(abandoned->state(), ReviewRequestTask::State::cancelled);
    EXPECT_TRUE(timer->waits[1]->stopped);

    EXPECT_EQ(actions, 0);
    EXPECT_EQ(storedInFile(ReviewRequestManager::reviewRequestInfoKey).toString(), before);
}

TEST_F(ReviewRequestManagerTest, ACallerMayDropItsHandleWithoutCallingTheRequestOff) {
    int actions = 0;
    manager->recordReviewRequest(Trigger::welcomeScreenOpen, milliseconds(2000), [&] { ++actions; });
    timer->waits[0]->fire();
    EXPECT_EQ(actions, 1);
    EXPECT_TRUE(fileRecord().has_value());
}

TEST_F(ReviewRequestManagerTest, EachCallSiteWaitsItsOwnDelayAndOnlyWhenThePolicyAgrees) {
    int actions = 0;
    store->setValue(ReviewRequestManager::fileOpenCountKey, 1);
    EXPECT_EQ(manager->requestReviewIfAppropriate(Trigger::fileClose, [&] { ++actions; }), nullptr);
    EXPECT_TRUE(timer->waits.empty());

    const auto welcome = manager->requestReviewIfAppropriate(Trigger::welcomeScreenOpen, [&] { ++actions; });
    ASSERT_NE(welcome, nullptr);
    ASSERT_EQ(timer->waits.size(), 1u);
    EXPECT_EQ(timer->waits[0]->delay, milliseconds(2000));
    timer->waits[0]->fire();
    EXPECT_EQ(actions, 1);

    // The next version, a day later, with enough files: a player's close asks at once.
    version = QStringLiteral("1.2");
    now += day;
    store->setValue(ReviewRequestManager::fileOpenCountKey, 3);
    const auto close = manager->requestReviewIfAppropriate(Trigger::fileClose, [&] { ++actions; });
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->state(), ReviewRequestTask::State::recorded);
    EXPECT_EQ(actions, 2);
    EXPECT_EQ(fileRecord()->reviewRequestsCount, 2);
    EXPECT_EQ(timer->waits.size(), 1u);
}

TEST_F(ReviewRequestManagerTest, AVersionThatIsEmptyOrHoldsTheSeparatorStillBlocksASecondRequest) {
    // Were the record unreadable, every trigger after the first would ask again.
    for (const QString& odd : {QString(), QStringLiteral(";"), QStringLiteral("2.0;beta"), QStringLiteral(" 2 "), QStringLiteral("1,2")}) {
        store->clear();
        version = odd;
        store->setValue(ReviewRequestManager::fileOpenCountKey, 10);
        manager->recordReviewRequest(Trigger::fileClose, std::nullopt, {});
        ASSERT_TRUE(fileRecord().has_value()) << odd.toStdString();
        EXPECT_EQ(fileRecord()->appVersion, odd);
        now += 2 * day;
        EXPECT_FALSE(manager->shouldRequestReview(Trigger::welcomeScreenOpen)) << odd.toStdString();
        manager->recordReviewRequest(Trigger::fileClose, std::nullopt, {});
        EXPECT_EQ(fileRecord()->reviewRequestsCount, 2) << odd.toStdString();
    }
}

}  // namespace
}  // namespace pellor
