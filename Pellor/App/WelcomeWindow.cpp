#include "Pellor/App/WelcomeWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QMenuBar>
#include <QMimeDatabase>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include "Pellor/App/PellorApp.h"
#include "Pellor/App/PellorVersion.h"
#include "Pellor/App/RecentDocuments.h"
#include "Pellor/App/ReviewRequestHooks.h"
#include "Pellor/Documents/DocumentDropDelegate.h"
#include "Pellor/Resources/ApplicationIcon.h"
#include "Pellor/Styles/ActionButtonStyle.h"
#include "Pellor/Styles/AppIconView.h"
#include "Pellor/Styles/OnAppearOnceViewModifier.h"
#include "Pellor/Styles/PlainText.h"
#include "Pellor/Styles/ProductNameLabel.h"
#include "Pellor/Styles/SecondaryLabel.h"
#include "Pellor/Styles/StyledButton.h"
#include "Pellor/Styles/WindowCloseButtonStyle.h"

namespace pellor {

namespace {

constexpr int kBrandingWidth = 200;
constexpr int kDocumentsWidth = 350;
constexpr int kPanelPadding = 20;
const char* const kRowPathProperty = "recentDocumentPath";

}  // namespace

WelcomeWindow::WelcomeWindow(PellorApp& app, QWidget* parent) : SceneWindow(app, QStringLiteral("welcome"), parent) {
    setWindowTitle(tr("Welcome"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setMovableByWindowBackground(true);
    setClosesOnEscape(true);

    auto* content = new QWidget(this);
    auto* layout = new QHBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(makeBrandingPanel());
    layout->addWidget(makeDocumentsPanel());
    setCentralWidget(content);
    // The content is 550 x 560; a menu bar drawn in the window (where the
    // desktop has no global menu) comes on top of that. A screen without room
    // for it (a small one, or a large scale factor) gets a smaller window, its
    // recent documents scrolling, rather than one whose menus and buttons lie
    // off the screen: a window without a frame cannot be moved back by the
    // window manager.
    const int menuHeight = menuBar()->isNativeMenuBar() ? 0 : menuBar()->sizeHint().height();
    setFixedSize(sizeWithinScreen(kSize + QSize(0, menuHeight)));
    keepWithinScreen();

    new DocumentDropDelegate(this, [this](const QStringList& files) { this->app().openDocuments(files, this); });
    new OnAppearOnceViewModifier(this, [this] { this->app().reviewRequestHooks().welcomeScreenOpened(this); });
}

QWidget* WelcomeWindow::makeBrandingPanel() {
    auto* panel = new QWidget(this);
    panel->setFixedWidth(kBrandingWidth);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(kPanelPadding, kPanelPadding, kPanelPadding, kPanelPadding);
    layout->addStretch();
    layout->addWidget(new AppIconView(QSize(140, 140), panel), 0, Qt::AlignHCenter);
    layout->addWidget(new ProductNameLabel(panel), 0, Qt::AlignHCenter);
    auto* version = new SecondaryLabel(tr("Version %1").arg(QLatin1String(kApplicationVersion)), panel);
    version->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(version, 0, Qt::AlignHCenter);
    layout->addStretch();

    // The window's one title-bar control, where the desktop would put it on a
    // window that had a title bar: the top-left corner.
    auto* close = new StyledButton(std::make_shared<WindowCloseButtonStyle>(), QString(), panel);
    close->setIcon(symbolIcon(QStringLiteral("xmark")));
    close->setIconSize(QSize(WindowCloseButtonStyle::kGlyph, WindowCloseButtonStyle::kGlyph));
    close->setAccessibleName(tr("Close"));
    close->setToolTip(tr("Close (%1)").arg(QKeySequence(Qt::Key_Escape).toString(QKeySequence::NativeText)));
    close->setGeometry(QRect(QPoint(6, 6), close->sizeHint()));
    connect(close, &QAbstractButton::clicked, this, &QWidget::close);
    closeButton_ = close;
    return panel;
}

QWidget* WelcomeWindow::makeDocumentsPanel() {
    auto* scroll = new QScrollArea(this);
    scroll->setFixedWidth(kDocumentsWidth);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    // The rows take the focus (and scroll into view); the panel itself is no stop.
    scroll->setFocusPolicy(Qt::NoFocus);
    // The panel stands on the content background, the branding beside it on the window's.
    scroll->setBackgroundRole(QPalette::Base);

    auto* panel = new QWidget(scroll);
    panel->setBackgroundRole(QPalette::Base);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(kPanelPadding, kPanelPadding, kPanelPadding, kPanelPadding);
    layout->setSpacing(20);

    openButton_ = new StyledButton(std::make_shared<ActionButtonStyle>(), tr("Open..."), panel);
    // A hint only: the File menu's "Open…" owns the shortcut.
    const QString openKeys = QKeySequence(QKeySequence::Open).toString(QKeySequence::NativeText);
    openButton_->setSecondaryText(openKeys);
    openButton_->setToolTip(tr("Open a Lottie JSON document or a dotLottie package (%1)").arg(openKeys));
    connect(openButton_, &QAbstractButton::clicked, this, [this] { this->app().showOpenPanel(this); });
    layout->addWidget(openButton_);

    auto* section = new QVBoxLayout;
    section->setSpacing(10);
    auto* heading = new QLabel(tr("Recent Documents"), panel);
    QFont headline = heading->font();
    headline.setWeight(QFont::DemiBold);
    heading->setFont(headline);
    section->addWidget(heading);
    rows_ = new QVBoxLayout;
    rows_->setSpacing(6);
    section->addLayout(rows_);
    auto* note = new SecondaryLabel(tr("No recent documents."), panel);
    note->setAlignment(Qt::AlignCenter);
    note->setContentsMargins(0, 40, 0, 40);
    section->addWidget(note);
    emptyNote_ = note;
    layout->addLayout(section);
    layout->addStretch();

    scroll->setWidget(panel);
    return scroll;
}

void WelcomeWindow::showEvent(QShowEvent* event) {
    reloadRecentDocuments();
    SceneWindow::showEvent(event);
    focusWhereKeysDoNoHarm();
}

bool WelcomeWindow::event(QEvent* event) {
    // Coming back without a focused control (after an alert, the row that had
    // the focus may have gone with the file it listed), Qt would give the focus
    // to the window's first control, the close button. The activation's event
    // comes before Qt picks one.
    if (event->type() == QEvent::WindowActivate && !focusWidget()) focusWhereKeysDoNoHarm();
    return SceneWindow::event(event);
}

void WelcomeWindow::focusWhereKeysDoNoHarm() {
    // Left to Qt, the focus would start on the window's first control, the
    // close button, and the first Return or Space would close the only window
    // and end the program. It starts where a key does no harm instead: on the
    // newest document, else on "Open...".
    if (QWidget* start = recentPaths_.isEmpty() ? static_cast<QWidget*>(openButton_) : recentDocumentRows().value(0)) {
        start->setFocus(Qt::OtherFocusReason);
    }
}

void WelcomeWindow::reloadRecentDocuments() {
    recentPaths_ = app().recentDocuments().paths();
    // A row that goes with the focus would leave the window with none.
    const bool rowHadFocus = focusWidget() && focusWidget()->property(kRowPathProperty).isValid();
    while (QLayoutItem* item = rows_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const QString& path : recentPaths_) {
        const QString name = QFileInfo(path).fileName();
        auto* row = new StyledButton(std::make_shared<ActionButtonStyle>(), name, emptyNote_->parentWidget());
        row->setIcon(fileIcon(path));
        row->setIconSize(QSize(16, 16));
        row->setIconTinted(false);
        row->setToolTip(plainToolTip(name));
        row->setProperty(kRowPathProperty, path);
        connect(row, &QAbstractButton::clicked, this, [this, path] { openRecentDocument(path); });
        rows_->addWidget(row);
        // Shown now rather than on the layout's next turn, so that it can
        // take the focus as the window appears.
        row->show();
    }
    emptyNote_->setVisible(recentPaths_.isEmpty());
    if (rowHadFocus) focusWhereKeysDoNoHarm();
}

QList<StyledButton*> WelcomeWindow::recentDocumentRows() const {
    QList<StyledButton*> rows;
    for (int index = 0; index < rows_->count(); ++index) {
        if (auto* row = qobject_cast<StyledButton*>(rows_->itemAt(index)->widget())) rows << row;
    }
    return rows;
}

void WelcomeWindow::openRecentDocument(const QString& path) {
    // A row whose file could not be opened has been dropped from the list: show
    // the list without it. The reload waits for the click to finish, since the
    // row that was clicked is among the widgets it replaces.
    if (!app().openRecentDocument(path, this)) {
        QMetaObject::invokeMethod(this, &WelcomeWindow::reloadRecentDocuments, Qt::QueuedConnection);
    }
}

QIcon WelcomeWindow::fileIcon(const QString& path) {
    static const QMimeDatabase database;
    const QMimeType type = database.mimeTypeForFile(path);
    const QIcon fallback = QIcon::fromTheme(QStringLiteral("text-x-generic"),
                                            QApplication::style()->standardIcon(QStyle::SP_FileIcon));
    return QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName(), fallback));
}

}  // namespace pellor
