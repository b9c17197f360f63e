// The review prompt asks the desktop to open the review page only when the
// user agrees.
#include <gtest/gtest.h>

#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "Pellor/Review/ReviewPage.h"
#include "Pellor/Review/ReviewPromptDialog.h"
#include "tests/Pellor/Support/UrlRecorder.h"

namespace pellor {
namespace {

TEST(ReviewPromptDialog, OpensTheSoftwareCentrePageOnlyWhenTheUserAgrees) {
    pellortest::UrlRecorder recorder({QStringLiteral("appstream")});
    EXPECT_EQ(reviewPageURL().toString().toStdString(), "appstream://me.tolvane.pellor");
    EXPECT_EQ(reviewPageToolTip(), QStringLiteral("Review Pellor in your software centre"));

    QPointer<ReviewPromptDialog> declined = ReviewPromptDialog::present();
    ASSERT_TRUE(declined->isVisible());
    QTest::mouseClick(declined->notNowButton(), Qt::LeftButton);
    EXPECT_TRUE(recorder.opened.empty());
    EXPECT_FALSE(declined && declined->isVisible());

    for (int i = 0; i < 2; ++i) {
        QPointer<ReviewPromptDialog> agreed = ReviewPromptDialog::present();
        QTest::mouseClick(agreed->reviewButton(), Qt::LeftButton);
        EXPECT_FALSE(agreed && agreed->isVisible());
    }
    ASSERT_EQ(recorder.opened.size(), 2u);
    EXPECT_EQ(recorder.opened[0], reviewPageURL());
    EXPECT_EQ(recorder.opened[1], reviewPageURL());
}

}  // namespace
}  // namespace pellor
