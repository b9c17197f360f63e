#include "Pellor/Player/PlaybackControlRow.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>

#include "Pellor/Player/FrameReadout.h"
#include "Pellor/Player/FrameSlider.h"
#include "Pellor/Player/LoopModePresentation.h"
#include "Pellor/Player/LottiePlayerView.h"
#include "Pellor/Resources/ApplicationIcon.h"
#include "Pellor/Styles/SecondaryButtonStyle.h"
#include "Pellor/Styles/StyledButton.h"

namespace pellor {

namespace {

StyledButton* iconButton(QWidget* parent, double minWidth) {
    auto* button = new StyledButton(std::make_shared<SecondaryButtonStyle>(ButtonSize::medium, minWidth), QString(), parent);
    button->setIconSize(QSize(16, 16));
    return button;
}

}  // namespace

PlaybackControlRow::PlaybackControlRow(LottiePlayerView& player, QWidget* parent) : QWidget(parent), player_(player) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 8, 0, 0);
    row->setSpacing(8);

    playPause_ = iconButton(this, 45);
    connect(playPause_, &QAbstractButton::clicked, this, [this] { player_.setAnimationPlaying(!player_.animationPlaying()); });
    row->addWidget(playPause_);

    slider_ = new FrameSlider(this);
    // A press pauses a playing animation, at its start and at its end alike.
    connect(slider_, &FrameSlider::touched, this, [this] {
        if (player_.animationPlaying()) player_.setAnimationPlaying(false);
    });
    connect(slider_, &FrameSlider::progressEdited, this, [this](double progress) { player_.setProgress(progress); });
    row->addWidget(slider_, 1);

    readout_ = new QLabel(this);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(font().pointSizeF());
    readout_->setFont(mono);
    readout_->setContentsMargins(6, 0, 6, 0);
    readout_->setForegroundRole(QPalette::PlaceholderText);
    row->addWidget(readout_);

    loopMode_ = iconButton(this, 45);
    connect(loopMode_, &QAbstractButton::clicked, this, [this] { player_.setLoopMode(nextLoopMode(player_.loopMode())); });
    row->addWidget(loopMode_);

    speed_ = new StyledButton(std::make_shared<SecondaryButtonStyle>(ButtonSize::medium, 65), QString(), this);
    speedMenu_ = new QMenu(this);
    connect(speed_, &QAbstractButton::clicked, this,
            [this] { speedMenu_->popup(speed_->mapToGlobal(QPoint(0, speed_->height()))); });
    row->addWidget(speed_);
    refresh();
}

void PlaybackControlRow::refresh() {
    // Runs on every displayed frame while playing: only the slider and the
    // read-out follow the frame; the rest changes only with its own state.
    slider_->showProgress(player_.progress());
    const auto& animation = player_.animation();
    readout_->setText(frameReadoutText(player_.animationFrame(),
                                       animation ? std::optional<double>(animation->endFrame) : std::nullopt));
    const QString playPause = player_.animationPlaying() ? QStringLiteral("pause.fill") : QStringLiteral("play.fill");
    if (playPause != playPauseSymbol_) {
        playPauseSymbol_ = playPause;
        playPause_->setIcon(symbolIcon(playPauseSymbol_));
    }
    if (!shownLoopMode_ || *shownLoopMode_ != player_.loopMode()) {
        shownLoopMode_ = player_.loopMode();
        loopModeSymbol_ = pellor::loopModeSymbol(*shownLoopMode_);
        loopMode_->setIcon(symbolIcon(loopModeSymbol_));
        loopMode_->setToolTip(loopModeLabel(*shownLoopMode_));
    }
    if (!shownSpeed_ || *shownSpeed_ != player_.playbackSpeed()) {
        shownSpeed_ = player_.playbackSpeed();
        speed_->setText(shownSpeed_->label());
        fillSpeedMenu();
    }
}

void PlaybackControlRow::fillSpeedMenu() {
    speedMenu_->clear();
    for (const AnimationPlaybackSpeed& speed : AnimationPlaybackSpeed::allCases()) {
        const QString mark = speed == player_.playbackSpeed() ? QStringLiteral("\u2713") : QStringLiteral("   ");
        QAction* item = speedMenu_->addAction(mark + QStringLiteral(" ") + speed.label());
        item->setData(speed.rawValue());
        // The change lands on the next turn of the event loop, after the menu has closed.
        connect(item, &QAction::triggered, this, [this, speed] {
            QMetaObject::invokeMethod(this, [this, speed] { player_.setPlaybackSpeed(speed); }, Qt::QueuedConnection);
        });
    }
}

}  // namespace pellor
