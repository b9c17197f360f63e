// The application's wait before a delayed review request.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include "Pellor/Review/ReviewDelayTimer.h"

namespace pellor {
namespace {

// The application's wait: a Qt timer that fires on the event loop, unless it
// was stopped first (a wait of no time keeps the test free of the clock).
TEST(QtReviewDelayTimer, FiresOnTheEventLoopUnlessStoppedFirst) {
    QtReviewDelayTimer timer;
    int fired = 0;
    timer.schedule(std::chrono::milliseconds(0), [&] { ++fired; });
    const auto stop = timer.schedule(std::chrono::milliseconds(-5), [&] { fired += 10; });
    EXPECT_EQ(fired, 0);
    stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return fired != 0; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(fired, 1);
    stop();  // after the end, harmless
}

}  // namespace
}  // namespace pellor
