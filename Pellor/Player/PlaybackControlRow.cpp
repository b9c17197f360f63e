#include "Pellor/Player/PlaybackControlRow.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <algorithm>
#include <cmath>

#include "Pellor/Player/FrameReadout.h"
#include "Pellor/Player/FrameReadoutLabel.h"
#include "Pellor/Player/FrameSlider.h"
#include "Pellor/Player/LoopModePresentation.h"
#include "Pellor/Player/LottiePlayerView.h"
#include "Pellor/Player/WholeNumber.h"
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
    slider_->setAccessibleName(tr("Frame"));
    slider_->setToolTip(tr("Frame (arrow keys: one frame; Home, End: first, last)"));
    // A press pauses a playing animation, at its start and at its end alike.
    connect(slider_, &FrameSlider::touched, this, [this] {
        if (player_.animationPlaying()) player_.setAnimationPlaying(false);
    });
    connect(slider_, &FrameSlider::progressEdited, this, [this](double progress) { player_.setProgress(progress); });
    connect(slider_, &FrameSlider::stepRequested, this, &PlaybackControlRow::step);
    connect(slider_, &FrameSlider::frameRequested, this, &PlaybackControlRow::goToFrame);
    row->addWidget(slider_, 1);

    readout_ = new FrameReadoutLabel(this);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(font().pointSizeF());
    readout_->setFont(mono);
    readout_->setContentsMargins(6, 0, 6, 0);
    readout_->setForegroundRole(QPalette::PlaceholderText);
    readout_->setAccessibleName(tr("Current frame"));
    row->addWidget(readout_);

    loopMode_ = iconButton(this, 45);
    loopMode_->setAccessibleName(tr("Loop Mode"));
    connect(loopMode_, &QAbstractButton::clicked, this, [this] { player_.setLoopMode(nextLoopMode(player_.loopMode())); });
    row->addWidget(loopMode_);

    speed_ = new MenuButton(std::make_shared<SecondaryButtonStyle>(ButtonSize::medium, 65), this);
    speed_->setAccessibleName(tr("Playback Speed"));
    speed_->setToolTip(tr("Playback Speed"));
    speed_->menu()->setAccessibleName(tr("Playback Speed"));
    connect(speed_, &QAbstractButton::clicked, this, [this] {
        // The menu starts on the current speed.
        QAction* current = nullptr;
        for (QAction* item : speed_->menu()->actions()) {
            if (item->data().toString() == player_.playbackSpeed().rawValue()) current = item;
        }
        speed_->openMenu(current);
    });
    row->addWidget(speed_);
    refresh();
}

void PlaybackControlRow::refresh() {
    // Runs on every displayed frame while playing: only the slider and the
    // read-out follow the frame; the rest changes only with its own state.
    slider_->showProgress(player_.progress());
    const auto& animation = player_.animation();
    const std::optional<double> endFrame = animation ? std::optional<double>(animation->endFrame) : std::nullopt;
    readout_->showText(frameReadoutText(player_.animationFrame(), endFrame));
    FrameSlider::Frames frames;
    if (animation) {
        // As the read-out names them: the frame rounded (never past the last), the last frame truncated.
        frames.current = shownFrameNumber(player_.animationFrame(), endFrame).value_or(0);
        frames.first = roundedWholeNumber(animation->startFrame).value_or(0);
        frames.last = truncatedWholeNumber(animation->endFrame).value_or(0);
    }
    slider_->showFrames(frames);
    const QString playPause = player_.animationPlaying() ? QStringLiteral("pause.fill") : QStringLiteral("play.fill");
    if (playPause != playPauseSymbol_) {
        playPauseSymbol_ = playPause;
        playPause_->setIcon(symbolIcon(playPauseSymbol_));
        // Named for what a press does; the tooltip names the key that does the same.
        const QString action = player_.animationPlaying() ? tr("Pause") : tr("Play");
        playPause_->setAccessibleName(action);
        playPause_->setToolTip(tr("%1 (%2)").arg(action, QKeySequence(Qt::Key_Space).toString(QKeySequence::NativeText)));
    }
    if (!shownLoopMode_ || *shownLoopMode_ != player_.loopMode()) {
        shownLoopMode_ = player_.loopMode();
        loopModeSymbol_ = pellor::loopModeSymbol(*shownLoopMode_);
        loopMode_->setIcon(symbolIcon(loopModeSymbol_));
        loopMode_->setToolTip(loopModeLabel(*shownLoopMode_));
        loopMode_->setAccessibleDescription(loopModeLabel(*shownLoopMode_));
    }
    if (!shownSpeed_ || *shownSpeed_ != player_.playbackSpeed()) {
        shownSpeed_ = player_.playbackSpeed();
        speed_->setText(shownSpeed_->label());
        speed_->setAccessibleDescription(shownSpeed_->label());
        fillSpeedMenu();
    }
}

void PlaybackControlRow::goToFrame(double frame) {
    const auto& animation = player_.animation();
    if (!animation || !std::isfinite(frame)) return;
    const double start = animation->startFrame;
    const double end = animation->endFrame;
    player_.setAnimationFrame(std::clamp(frame, std::min(start, end), std::max(start, end)));
}

void PlaybackControlRow::step(FrameSlider::Step step) {
    const auto& animation = player_.animation();
    if (!animation) return;
    const double start = animation->startFrame;
    const double end = animation->endFrame;
    // One frame from the frame the read-out names, so that each press changes it by one.
    const auto named = shownFrameNumber(player_.animationFrame(), end);
    const double shown = named ? static_cast<double>(*named) : std::round(player_.animationFrame());
    const double page = (end - start) / 10;
    double frame = player_.animationFrame();
    switch (step) {
    case FrameSlider::Step::previousFrame: frame = shown - 1; break;
    case FrameSlider::Step::nextFrame: frame = shown + 1; break;
    case FrameSlider::Step::previousPage: frame -= page; break;
    case FrameSlider::Step::nextPage: frame += page; break;
    case FrameSlider::Step::first: frame = start; break;
    case FrameSlider::Step::last: frame = end; break;
    }
    goToFrame(frame);
}

void PlaybackControlRow::fillSpeedMenu() {
    speed_->menu()->clear();
    for (const AnimationPlaybackSpeed& speed : AnimationPlaybackSpeed::allCases()) {
        const QString mark = speed == player_.playbackSpeed() ? QStringLiteral("\u2713") : QStringLiteral("   ");
        QAction* item = speed_->menu()->addAction(mark + QStringLiteral(" ") + speed.label());
        item->setData(speed.rawValue());
        // The change lands on the next turn of the event loop, after the menu has closed.
        connect(item, &QAction::triggered, this, [this, speed] {
            QMetaObject::invokeMethod(this, [this, speed] { player_.setPlaybackSpeed(speed); }, Qt::QueuedConnection);
        });
    }
}

}  // namespace pellor
