#include "Pellor/App/AboutWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QVBoxLayout>

#include "Pellor/App/PellorApp.h"
#include "Pellor/App/PellorVersion.h"
#include "Pellor/Resources/ApplicationIcon.h"
#include "Pellor/Review/ReviewPage.h"
#include "Pellor/Styles/AppIconView.h"
#include "Pellor/Styles/DefaultButtonStyle.h"
#include "Pellor/Styles/ProductNameLabel.h"
#include "Pellor/Styles/SecondaryButtonStyle.h"
#include "Pellor/Styles/SecondaryLabel.h"
#include "Pellor/Styles/StyledButton.h"

namespace pellor {

namespace {

// The review button stands this far in from the trailing edge and the top.
constexpr int kReviewInset = 9;
constexpr int kReviewTop = 6;

}  // namespace

AboutWindow::AboutWindow(PellorApp& app, QWidget* parent)
    : SceneWindow(app, QStringLiteral("about"), parent), acknowledgementsPath_(defaultAcknowledgementsPath()) {
    setWindowTitle(tr("About Pellor"));
    // No minimise or maximise: the window is as large as its content and stays so.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    hideMenuBarKeepingShortcuts();
    setMovableByWindowBackground(true);
    setClosesOnEscape(true);

    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(20, 0, 20, 0);
    layout->setSpacing(0);

    auto* identity = new QVBoxLayout;
    identity->setContentsMargins(0, 40, 0, 40);
    identity->setSpacing(20);
    identity->addWidget(new AppIconView(QSize(120, 120), content), 0, Qt::AlignHCenter);
    auto* names = new QVBoxLayout;
    names->setSpacing(2);
    names->addWidget(new ProductNameLabel(content), 0, Qt::AlignHCenter);
    versionLabel_ = new SecondaryLabel(versionText(), content);
    versionLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    names->addWidget(versionLabel_, 0, Qt::AlignHCenter);
    identity->addLayout(names);
    layout->addLayout(identity);

    auto* credits = new QVBoxLayout;
    credits->setContentsMargins(0, 20, 0, 20);
    credits->setSpacing(20);
    acknowledgementsButton_ = new StyledButton(std::make_shared<DefaultButtonStyle>(ButtonSize::medium, false),
                                               tr("Acknowledgements"), content);
    acknowledgementsButton_->setToolTip(tr("Open the licences of the libraries Pellor uses"));
    connect(acknowledgementsButton_, &QAbstractButton::clicked, this, &AboutWindow::openAcknowledgements);
    credits->addWidget(acknowledgementsButton_, 0, Qt::AlignHCenter);
    copyrightLabel_ = new SecondaryLabel(QString::fromUtf8(kApplicationCopyright), content);
    QFont footnote = copyrightLabel_->font();
    footnote.setPointSizeF(footnote.pointSizeF() * 0.85);
    copyrightLabel_->setFont(footnote);
    credits->addWidget(copyrightLabel_, 0, Qt::AlignHCenter);
    layout->addLayout(credits);

    reviewButton_ = new StyledButton(std::make_shared<SecondaryButtonStyle>(ButtonSize::small), tr("Review"), content);
    reviewButton_->setIcon(symbolIcon(QStringLiteral("star.fill")));
    reviewButton_->setIconSize(QSize(12, 12));
    reviewButton_->setToolTip(reviewPageToolTip());
    reviewButton_->setAccessibleDescription(reviewPageToolTip());
    connect(reviewButton_, &QAbstractButton::clicked, this, [this] { this->app().openReviewPageOrReport(this); });

    setCentralWidget(content);
    // Wide enough that the review button never covers the centred column.
    setFixedSize(content->sizeHint().expandedTo(QSize(340, 0)));
    placeReviewButton();
}

QString AboutWindow::versionText() {
    return tr("Version %1 (%2)").arg(QLatin1String(kApplicationVersion), QLatin1String(kApplicationBuild));
}

QString AboutWindow::defaultAcknowledgementsPath() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/pellor/Acknowledgements.pdf"));
}

void AboutWindow::openAcknowledgements() {
    // A build or install without the document has nothing to show; the button then does nothing.
    if (!QFileInfo(acknowledgementsPath_).isFile()) return;
    const QString path = QDir::toNativeSeparators(acknowledgementsPath_);
    app().openUrlOrReport(QUrl::fromLocalFile(acknowledgementsPath_), this,
                          tr("The acknowledgements couldn\u2019t be opened."),
                          tr("No program is set up to open PDF documents. The file is at %1.").arg(path));
}

void AboutWindow::resizeEvent(QResizeEvent* event) {
    SceneWindow::resizeEvent(event);
    placeReviewButton();
}

void AboutWindow::placeReviewButton() {
    if (!reviewButton_) return;
    const QSize size = reviewButton_->sizeHint();
    reviewButton_->setGeometry(centralWidget()->width() - kReviewInset - size.width(), kReviewTop, size.width(),
                               size.height());
    reviewButton_->raise();
}

}  // namespace pellor
