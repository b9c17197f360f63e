#pragma once
// The row under the animation in a player window: play/pause, the frame
// slider, the frame read-out ("#007/120"), the loop-mode button and the speed
// menu. It keeps no state: it shows the player's and changes it only through
// the player's setters. Owned by its LottiePlayerView.

#include <QWidget>
#include <optional>

#include "Lottie/Playback/PlaybackModes/LottieLoopMode.h"
#include "Pellor/Player/FrameReadoutLabel.h"
#include "Pellor/Player/FrameSlider.h"
#include "Pellor/Player/MenuButton.h"
#include "Pellor/Player/AnimationPlaybackSpeed.h"

class QMenu;

namespace pellor {

class LottiePlayerView;
class StyledButton;

class PlaybackControlRow : public QWidget {
    Q_OBJECT

public:
    explicit PlaybackControlRow(LottiePlayerView& player, QWidget* parent = nullptr);

    // Shows the player's current state.
    void refresh();

    StyledButton* playPauseButton() const { return playPause_; }
    FrameSlider* slider() const { return slider_; }
    FrameReadoutLabel* readout() const { return readout_; }
    StyledButton* loopModeButton() const { return loopMode_; }
    MenuButton* speedButton() const { return speed_; }
    QMenu* speedMenu() const { return speed_->menu(); }
    // The symbol names the two icon buttons show ("pause.fill", "repeat").
    const QString& playPauseSymbol() const { return playPauseSymbol_; }
    const QString& loopModeSymbol() const { return loopModeSymbol_; }

private:
    // Moves the frame as a key on the slider asked, within the animation.
    void step(FrameSlider::Step step);
    // Moves the frame to one an assistive tool asked for, within the animation.
    void goToFrame(double frame);
    void fillSpeedMenu();

    LottiePlayerView& player_;
    StyledButton* playPause_ = nullptr;
    FrameSlider* slider_ = nullptr;
    FrameReadoutLabel* readout_ = nullptr;
    StyledButton* loopMode_ = nullptr;
    MenuButton* speed_ = nullptr;
    QString playPauseSymbol_;
    QString loopModeSymbol_;
    // What the loop button and the speed button show now; they change only
    // when these differ from the player's, not on every displayed frame.
    std::optional<lottie::LottieLoopMode> shownLoopMode_;
    std::optional<AnimationPlaybackSpeed> shownSpeed_;
};

}  // namespace pellor
