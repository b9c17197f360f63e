// File names and paths are the user's own text: wherever the viewer shows
// them, markup, "[*]" and "&" in them show as written.
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTextDocument>
#include <QWindow>

#include "Pellor/App/AlertPresenter.h"
#include "Pellor/App/WelcomeWindow.h"
#include "Pellor/Player/DocumentWindow.h"
#include "Pellor/Player/LottiePlayerView.h"
#include "Pellor/Styles/StyledButton.h"
#include "tests/Pellor/App/PellorTestSupport.h"

namespace {

using pellortest::PellorTest;

// What a tooltip shows: Qt renders it as HTML when it looks like HTML.
QString shownToolTip(const QString& tip) {
    if (!Qt::mightBeRichText(tip)) return tip;
    QTextDocument document;
    document.setHtml(tip);
    return document.toPlainText();
}

TEST_F(PellorTest, FileNamesAndPathsShowAsWritten) {
    const std::string folderName = "<b>bold <img src=x>";
    const std::string fileName = "<i>a&b [*] x.json";
    QDir().mkpath(missing(folderName));
    const QString path = write(folderName + "/" + fileName, pellortest::animationDocument());
    const QString name = QString::fromStdString(fileName);
    const QString canonical = QFileInfo(path).canonicalFilePath();

    pellor::DocumentWindow* window = openPlayer(path);
    ASSERT_NE(window, nullptr);
    ASSERT_NE(window->windowHandle(), nullptr);
    EXPECT_EQ(window->windowHandle()->title(), name) << "the title keeps its [*]";

    int pathLabels = 0;
    for (const QLabel* label : window->player()->inspectorContent()->findChildren<QLabel*>()) {
        if (label->text() != canonical) continue;
        ++pathLabels;
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
    }
    EXPECT_EQ(pathLabels, 1) << "the inspector shows the path once";

    auto* welcome = qobject_cast<pellor::WelcomeWindow*>(app->openWindow(QStringLiteral("welcome")));
    ASSERT_NE(welcome, nullptr);
    const auto rows = welcome->recentDocumentRows();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0]->text(), name);
    EXPECT_EQ(shownToolTip(rows[0]->toolTip()), name);

    QAction* recent = pellortest::menuAction(*welcome, QStringLiteral("File"), QStringLiteral("Open Recent"));
    ASSERT_NE(recent, nullptr);
    ASSERT_NE(recent->menu(), nullptr);
    emit recent->menu()->aboutToShow();
    const auto items = recent->menu()->actions();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0]->iconText(), name) << "no mnemonic taken from the name's '&'";
    EXPECT_EQ(shownToolTip(items[0]->toolTip()), canonical);
}

TEST(AlertPresenter, ShowsItsMessageAndDetailAsPlainText) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Pellor"), QStringLiteral("The file \u201C<b>x</b>.json\u201D couldn\u2019t be opened."));
    box.setInformativeText(QStringLiteral("/home/<i>me</i>/x.json"));
    pellor::AlertPresenter::showAsPlainText(box);
    EXPECT_EQ(box.textFormat(), Qt::PlainText);
    const auto* informative = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
    ASSERT_NE(informative, nullptr);
    EXPECT_EQ(informative->textFormat(), Qt::PlainText);
    EXPECT_EQ(informative->text(), QStringLiteral("/home/<i>me</i>/x.json"));
}

}  // namespace
