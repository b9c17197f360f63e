#include "Pellor/Player/DocumentWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <utility>

#include "Pellor/App/PellorApp.h"
#include "Pellor/App/ReviewRequestHooks.h"
#include "Pellor/Documents/DocumentDropDelegate.h"
#include "Pellor/Player/LottiePlayerView.h"
#include "Pellor/Resources/ApplicationIcon.h"
#include "Pellor/Styles/PlainText.h"

namespace pellor {

DocumentWindow::DocumentWindow(PellorApp& app, ReadOnlyDocument document, QWidget* parent)
    : SceneWindow(app, QString(), parent), document_(std::move(document)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFilePath(document_.filePath());
    setWindowTitle(plainWindowTitle(QFileInfo(document_.filePath()).fileName()));
    player_ = new LottiePlayerView(app, document_, this);
    setCentralWidget(player_);

    QToolBar* toolbar = addToolBar(tr("Toolbar"));
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolbar->setIconSize(QSize(16, 16));
    toolbar->toggleViewAction()->setEnabled(false);
    auto* spacer = new QWidget(toolbar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolbar->addWidget(spacer);
    info_ = toolbar->addAction(symbolIcon(QStringLiteral("info.circle")), tr("Info"));
    info_->setCheckable(true);
    // Ctrl+I: the Linux form of the command key's shortcut.
    info_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    info_->setToolTip(tr("Show or hide the inspector (%1)").arg(info_->shortcut().toString(QKeySequence::NativeText)));
    connect(info_, &QAction::toggled, player_, &LottiePlayerView::setShowInspector);
    connect(player_, &LottiePlayerView::stateChanged, info_, [this] { info_->setChecked(player_->showInspector()); });
    // The toolbar's own button for the items a narrow window has no room for:
    // hidden until then, but listed by screen readers all the same.
    if (auto* more = toolbar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"))) {
        more->setAccessibleName(tr("More Toolbar Items"));
        more->setToolTip(more->accessibleName());
    }

    addPlayerMenu();

    resize(sizeWithinScreen(kPreferredSize));
    keepWithinScreen();
    new DocumentDropDelegate(this, [this](const QStringList& files) { this->app().openDocuments(files, this); });
}

void DocumentWindow::addPlayerMenu() {
    // The player's two keys, listed where people look for commands. Space
    // belongs to the focused player (a focused button takes it for itself), so
    // the item shows the key after a tab without claiming it as a shortcut.
    auto* menu = new QMenu(tr("&Player"), this);
    playPause_ = menu->addAction(QString(), this, [this] { player_->setAnimationPlaying(!player_->animationPlaying()); });
    menu->addSeparator();
    menu->addAction(info_);
    const QList<QAction*> menus = menuBar()->actions();
    menuBar()->insertMenu(menus.isEmpty() ? nullptr : menus.last(), menu);
    // The player reports its state every frame while it plays; the item
    // changes only when playing or loading does.
    const QString key = QKeySequence(Qt::Key_Space).toString(QKeySequence::NativeText);
    const auto follow = [this, key] {
        const std::pair<bool, bool> shown(player_->animationPlaying(), player_->animation() != nullptr);
        if (shownPlayState_ == shown) return;
        shownPlayState_ = shown;
        playPause_->setText((shown.first ? tr("Pause") : tr("Play")) + QLatin1Char('\t') + key);
        // As Space, it waits for the animation.
        playPause_->setEnabled(shown.second);
    };
    connect(player_, &LottiePlayerView::stateChanged, playPause_, follow);
    follow();
}

void DocumentWindow::closeEvent(QCloseEvent* event) {
    app().reviewRequestHooks().fileClosed(this);
    SceneWindow::closeEvent(event);
}

}  // namespace pellor
