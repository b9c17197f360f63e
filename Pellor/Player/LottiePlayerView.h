#pragma once
// The content of a document window: the document's animation, loaded
// asynchronously into a hosted LottieView and fitted above the control row,
// and the inspector pane on the trailing side. The view keeps all playback
// state itself (playing or paused, frame, loop mode, speed, inspector shown);
// the controls only call its setters, and every change re-applies a new
// LottieView value to the host, which forwards only what differs. While
// playing, the hosted view writes the frame it shows back into the state once
// per displayed frame.
//
// It starts playing from the start with "Loop" at 1.0×. A playback that
// ends by itself ("Play Once" run to its end) pauses on the frame it ended
// on. Space plays and
// pauses once the animation has loaded (before that the key goes on to the
// parent). A document that cannot be decoded shows the "Cannot open file"
// alert, whose dismissal closes this view's own window and brings back the
// welcome window. A package that holds no animation shows no alert: the
// window stays with nothing loaded (Space ignored, the slider at 0, the
// inspector's "Cannot parse the document."). A document that decodes
// becomes the newest recent document; one that fails is dropped from that
// list (a failed file never enters it). Each showing closes
// the welcome window and takes the keyboard focus; the first also counts the
// opened file ("fileOpenCount" in the settings) once it has decoded (a file
// that fails to is not counted).
//
// Owned by its document window; main thread only.

#include <QPointer>
#include <QWidget>
#include <memory>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/PlaybackModes/LottieLoopMode.h"
#include "Lottie/Playback/PlaybackModes/LottiePlaybackMode.h"
#include "Lottie/Views/LottieView.h"
#include "Pellor/Documents/ReadOnlyDocument.h"
#include "Pellor/Player/AnimationPlaybackSpeed.h"
#include "Pellor/Player/FileErrorAlert.h"

namespace lottie {
class LottieViewHost;
}

namespace pellor {

class PellorApp;
class PlaybackControlRow;

class LottiePlayerView : public QWidget {
    Q_OBJECT

public:
    LottiePlayerView(PellorApp& app, const ReadOnlyDocument& document, QWidget* parent = nullptr);
    ~LottiePlayerView() override;

    // The state.
    bool animationPlaying() const { return animationPlaying_; }
    double animationFrame() const { return animationFrame_; }
    const std::shared_ptr<const lottie::LottieAnimation>& animation() const { return animation_; }
    const lottie::LottieLoopMode& loopMode() const { return loopMode_; }
    const AnimationPlaybackSpeed& playbackSpeed() const { return playbackSpeed_; }
    bool showInspector() const { return showInspector_; }
    bool isFileErrorPresented() const { return fileErrorAlert_ != nullptr; }
    // Whether the document decoded (an animation, or a package that holds
    // none); false while it loads and after it failed.
    bool isOpened() const { return opened_; }

    void setAnimationPlaying(bool playing);
    void setAnimationFrame(double frame);
    void setLoopMode(lottie::LottieLoopMode mode);
    void setPlaybackSpeed(AnimationPlaybackSpeed speed);
    void setShowInspector(bool show);

    // The slider's value: where the frame lies between the start and end
    // frames, limited to 0...1 (0 without an animation or with a zero span).
    double progress() const;
    // Moves the frame to that point between the start and end frames (not
    // limited); nothing without an animation.
    void setProgress(double progress);

    // What the hosted view is given, derived from the state.
    lottie::LottiePlaybackMode playbackMode() const;
    lottie::LottieView player() const;
    // "Unable to open the JSON file. Please check the file and try again."
    QString fileErrorMessage() const;
    // The alert's dismissal (OK, Escape or a close): closes this view's window,
    // then shows the welcome window once no other alert waits for an answer.
    void dismissFileError();

    lottie::LottieViewHost* host() const { return host_; }
    PlaybackControlRow* controls() const { return controls_; }
    // The inspector pane's content: the form, or the "Cannot parse the document." text.
    QWidget* inspectorContent() const { return inspectorContent_; }
    QWidget* inspectorPane() const { return inspectorPane_; }
    FileErrorAlert* fileErrorAlert() const { return fileErrorAlert_; }

signals:
    void stateChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void loaded(std::shared_ptr<const lottie::LottieAnimation> animation, bool failed);
    // A playback that ran to its end ("Play Once"): the view rests on the
    // frame it ended on, paused, so that the button offers to play again.
    void finishPlaying();
    void presentFileError();
    // Sets one piece of the state and, when it really changed, applies the
    // state to the hosted view and the controls.
    template <typename Value>
    void change(Value& state, Value value);
    void update();
    void rebuildInspector();
    // Counts the file once, when it has both been shown and opened.
    void countFileOpen();

    PellorApp& app_;
    // Tells the loaders' late deliveries that the view has gone; made before
    // the loaders that watch it.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    DocumentKind kind_;
    QString filePath_;
    lottie::LottieView source_;

    bool animationPlaying_ = true;
    double animationFrame_ = 0;
    std::shared_ptr<const lottie::LottieAnimation> animation_;
    lottie::LottieLoopMode loopMode_ = lottie::LottieLoopMode::loop();
    double playFromProgress_ = 0;
    double playToProgress_ = 1;
    AnimationPlaybackSpeed playbackSpeed_;
    bool showInspector_ = false;
    bool opened_ = false;
    bool shown_ = false;
    bool counted_ = false;

    lottie::LottieViewHost* host_ = nullptr;
    PlaybackControlRow* controls_ = nullptr;
    QWidget* inspectorPane_ = nullptr;
    QWidget* inspectorContent_ = nullptr;
    QPointer<FileErrorAlert> fileErrorAlert_;
};

}  // namespace pellor
