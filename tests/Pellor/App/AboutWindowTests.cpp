// The about window: the version and build of this build, the copyright line,
// and the requests its two buttons make of the desktop.
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "Pellor/App/AboutWindow.h"
#include "Pellor/Review/ReviewPromptDialog.h"
#include "Pellor/Review/ReviewPage.h"
#include "Pellor/Styles/StyledButton.h"
#include "tests/Pellor/App/PellorTestSupport.h"

namespace {

using pellor::AboutWindow;
using pellortest::PellorTest;

AboutWindow& aboutWindow(pellor::PellorApp& app) {
    return *qobject_cast<AboutWindow*>(app.openWindow(QStringLiteral("about")));
}

TEST_F(PellorTest, AboutWindowShowsTheConfiguredVersionAndBuildSelectablyAndTheCopyright) {
    AboutWindow& window = aboutWindow(*app);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("About Pellor"));
    EXPECT_EQ(window.versionLabel()->text(),
              QStringLiteral("Version " PELLOR_EXPECTED_VERSION " (" PELLOR_EXPECTED_BUILD ")"));
    EXPECT_TRUE(window.versionLabel()->textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_TRUE(window.copyrightLabel()->text().startsWith(QStringLiteral("Copyright \u00A9 ")))
        << window.copyrightLabel()->text().toStdString();
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "it can't be resized";
    EXPECT_FALSE(window.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

TEST_F(PellorTest, AboutWindowButtonsAskTheDesktopToOpenTheAcknowledgementsAndTheReviewPage) {
    AboutWindow& window = aboutWindow(*app);
    const QString expected = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                             QStringLiteral("/../share/pellor/Acknowledgements.pdf"));
    EXPECT_EQ(AboutWindow::defaultAcknowledgementsPath().toStdString(), expected.toStdString())
        << "beside the program's data, as installed and as built";

    const QString pdf = write("Acknowledgements.pdf", "%PDF-1.5\n%%EOF\n");
    struct Case {
        const char* name;
        QString document;
        std::vector<QUrl> opened;
    };
    const Case cases[] = {
        {"present", pdf, {QUrl::fromLocalFile(pdf)}},
        {"missing: nothing happens", missing("Acknowledgements.pdf.gone"), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openedUrls.clear();
        window.setAcknowledgementsPath(c.document);
        QTest::mouseClick(window.acknowledgementsButton(), Qt::LeftButton);
        EXPECT_EQ(openedUrls, c.opened);
        EXPECT_TRUE(alerts.empty());
    }

    openedUrls.clear();
    pellor::StyledButton* review = window.reviewButton();
    EXPECT_EQ(review->text(), QStringLiteral("Review"));
    EXPECT_FALSE(review->icon().isNull());
    EXPECT_EQ(review->toolTip(), pellor::reviewPageToolTip());
    QTest::mouseClick(review, Qt::LeftButton);
    QTest::mouseClick(review, Qt::LeftButton);
    EXPECT_EQ(openedUrls, (std::vector<QUrl>{pellor::reviewPageURL(), pellor::reviewPageURL()}))
        << "the same page each time";
    // In the top-right corner of the content.
    const QRect area = window.centralWidget()->rect();
    EXPECT_EQ(review->geometry().right(), area.right() - 9);
    EXPECT_LT(review->geometry().top(), 12);
}

TEST_F(PellorTest, AboutWindowSaysWhatCouldNotBeOpenedWhereTheDesktopHasNoProgramForIt) {
    AboutWindow& window = aboutWindow(*app);
    const QString pdf = write("Acknowledgements.pdf", "%PDF-1.5\n%%EOF\n");
    window.setAcknowledgementsPath(pdf);
    desktopOpens = false;
    // The review prompt's "Write a Review" says so as the about window's links do.
    const QPointer<pellor::ReviewPromptDialog> prompt = app->presentReviewPrompt();
    struct Case {
        const char* name;
        QAbstractButton* button;
        QWidget* over;
        QString message;
        QString where;
    };
    const Case cases[] = {
        {"acknowledgements", window.acknowledgementsButton(), &window,
         QStringLiteral("The acknowledgements couldn\u2019t be opened."), QDir::toNativeSeparators(pdf)},
        {"review", window.reviewButton(), &window, QStringLiteral("The review page couldn\u2019t be opened."),
         pellor::reviewPageURL().toString()},
        {"the review prompt's Write a Review", prompt->reviewButton(), prompt,
         QStringLiteral("The review page couldn\u2019t be opened."), pellor::reviewPageURL().toString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        alerts.clear();
        QTest::mouseClick(c.button, Qt::LeftButton);
        ASSERT_EQ(alerts.size(), 1u) << "the user is told";
        EXPECT_EQ(alerts[0].message, c.message);
        EXPECT_TRUE(alerts[0].detail.contains(c.where)) << alerts[0].detail.toStdString();
        EXPECT_EQ(alerts[0].parent, c.over);
    }
    EXPECT_TRUE(prompt && prompt->isVisible()) << "the prompt stays for another answer";
    if (prompt) prompt->close();
}

}  // namespace
