#include "Pellor/Player/LottiePlayerView.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSettings>
#include <QVBoxLayout>
#include <utility>

#include "Lottie/Views/LottieViewHost.h"
#include "Pellor/App/PellorApp.h"
#include "Pellor/App/RecentDocuments.h"
#include "Pellor/App/SceneWindow.h"
#include "Pellor/Inspector/AnimationInspectorForm.h"
#include "Pellor/Player/DocumentLoaders.h"
#include "Pellor/Player/FileErrorAlert.h"
#include "Pellor/Player/PlaybackControlRow.h"
#include "Pellor/Review/ReviewRequestManager.h"
#include "Pellor/Styles/OnAppearOnceViewModifier.h"

namespace pellor {

namespace {

constexpr int kInspectorMinimumWidth = 280;
constexpr int kInspectorMaximumWidth = 360;

}  // namespace

LottiePlayerView::LottiePlayerView(PellorApp& app, const ReadOnlyDocument& document, QWidget* parent)
    : QWidget(parent),
      app_(app),
      kind_(document.kind()),
      filePath_(document.filePath()),
      source_(DocumentLoaders::view(document, [this, alive = std::weak_ptr<bool>(alive_)](auto animation, auto error) {
          if (alive.lock()) loaded(std::move(animation), error != nullptr);
      })) {
    // The animation takes the focus when it is shown and when clicked, so that
    // Space reaches it, but it is no stop of Tab: it draws no focus ring (the
    // picture is the document's), and a stop that shows nothing loses the
    // keyboard user. Space still reaches it from the slider, which leaves the
    // key to its parent.
    setFocusPolicy(Qt::ClickFocus);
    setAccessibleName(tr("Animation"));
    setAccessibleDescription(tr("Space plays and pauses"));
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);

    auto* main = new QWidget(this);
    main->setMinimumSize(400, 300);
    auto* stack = new QVBoxLayout(main);
    stack->setContentsMargins(20, 20, 20, 20);
    stack->setSpacing(0);
    host_ = new lottie::LottieViewHost(main);
    host_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    stack->addWidget(host_, 1);
    controls_ = new PlaybackControlRow(*this, main);
    stack->addWidget(controls_);
    columns->addWidget(main, 1);

    inspectorPane_ = new QWidget(this);
    inspectorPane_->setMinimumWidth(kInspectorMinimumWidth);
    inspectorPane_->setMaximumWidth(kInspectorMaximumWidth);
    inspectorPane_->setAutoFillBackground(true);
    inspectorPane_->setBackgroundRole(QPalette::Base);
    auto* inspectorLayout = new QVBoxLayout(inspectorPane_);
    inspectorLayout->setContentsMargins(16, 20, 16, 20);
    inspectorPane_->hide();
    columns->addWidget(inspectorPane_);

    new OnAppearOnceViewModifier(this, [this] {
        shown_ = true;
        countFileOpen();
    });
    rebuildInspector();
    update();
}

LottiePlayerView::~LottiePlayerView() = default;

lottie::LottiePlaybackMode LottiePlayerView::playbackMode() const {
    if (animationPlaying_) {
        return lottie::LottiePlaybackMode::playing(
            lottie::LottiePlayingMode::fromProgress(playFromProgress_, playToProgress_, loopMode_));
    }
    return lottie::LottiePlaybackMode::paused(lottie::LottiePausedState::frame(animationFrame_));
}

lottie::LottieView LottiePlayerView::player() const {
    QPointer<LottiePlayerView> self(const_cast<LottiePlayerView*>(this));
    lottie::LottieView view = source_.playbackMode(playbackMode())
                                  .animationSpeed(playbackSpeed_.multiplier())
                                  .proposedSizing()
                                  .onAnimationCompletion([self](bool finished) {
                                      // After the animation's own ending has run its course.
                                      if (finished && self) {
                                          QMetaObject::invokeMethod(self, &LottiePlayerView::finishPlaying,
                                                                    Qt::QueuedConnection);
                                      }
                                  });
    if (!animationPlaying_) return view.bindCurrentFrame(std::nullopt);
    // The running animation reports its frame only while playing; a write
    // that arrives after a pause (one pass late) is not the user's frame.
    return view.bindCurrentFrame(lottie::Binding<double>{
        [self] { return self ? self->animationFrame_ : 0.0; },
        [self](double frame) {
            if (!self || !self->animationPlaying_ || self->animationFrame_ == frame) return;
            self->animationFrame_ = frame;
            self->controls_->refresh();
            emit self->stateChanged();
        }});
}

void LottiePlayerView::finishPlaying() {
    // A request that has been replaced since (a press of play, a new loop
    // mode) is not what ended; only a view that rests is done.
    lottie::LottieAnimationView* view = host_->animationView();
    if (!animationPlaying_ || !view || view->isPlaying()) return;
    // The frame the animation came to rest on, not the last one the binding
    // wrote, which may be a display frame short of it.
    animationFrame_ = view->currentFrame();
    setAnimationPlaying(false);
}

void LottiePlayerView::update() {
    host_->apply(player());
    controls_->refresh();
    emit stateChanged();
}

template <typename Value>
void LottiePlayerView::change(Value& state, Value value) {
    if (state == value) return;
    state = std::move(value);
    update();
}

void LottiePlayerView::setAnimationPlaying(bool playing) { change(animationPlaying_, playing); }

void LottiePlayerView::setAnimationFrame(double frame) { change(animationFrame_, frame); }

void LottiePlayerView::setLoopMode(lottie::LottieLoopMode mode) { change(loopMode_, std::move(mode)); }

void LottiePlayerView::setPlaybackSpeed(AnimationPlaybackSpeed speed) { change(playbackSpeed_, speed); }

void LottiePlayerView::setShowInspector(bool show) {
    if (showInspector_ == show) return;
    showInspector_ = show;
    inspectorPane_->setVisible(show);
    emit stateChanged();
}

double LottiePlayerView::progress() const {
    return lottie::LottieView::progressOfFrame(animation_.get(), animationFrame_);
}

void LottiePlayerView::setProgress(double progress) {
    if (!animation_) return;
    setAnimationFrame(animation_->frameTime(progress));
}

void LottiePlayerView::loaded(std::shared_ptr<const lottie::LottieAnimation> animation, bool failed) {
    animation_ = std::move(animation);
    opened_ = !failed;
    // Only a document that opened belongs among the recent ones; one that no
    // longer does is not offered there again.
    if (!filePath_.isEmpty()) {
        if (opened_) {
            app_.recentDocuments().note(filePath_);
        } else {
            app_.recentDocuments().remove(filePath_);
        }
    }
    countFileOpen();
    rebuildInspector();
    controls_->refresh();
    // A package that opens but holds no animation is no failure: the window
    // stays, with nothing to play, and its inspector says it cannot parse it.
    if (failed) presentFileError();
    emit stateChanged();
}

QString LottiePlayerView::fileErrorMessage() const {
    const QString kind = kind_ == DocumentKind::lottie ? QStringLiteral("dotLottie") : QStringLiteral("JSON");
    return tr("Unable to open the ") + kind + tr(" file. Please check the file and try again.");
}

void LottiePlayerView::presentFileError() {
    if (fileErrorAlert_) return;
    auto* alert = new FileErrorAlert(tr("Cannot open file"), fileErrorMessage(), this);
    // Every way of dismissing it (OK, Escape, the window manager's close
    // button) closes the window that failed, as OK does.
    connect(alert, &FileErrorAlert::dismissed, this, &LottiePlayerView::dismissFileError);
    fileErrorAlert_ = alert;
    alert->present();
}

void LottiePlayerView::dismissFileError() {
    // Clearing it first makes the alert's own closing below a no-op here.
    if (QPointer<FileErrorAlert> alert = std::exchange(fileErrorAlert_, nullptr)) alert->close();
    // The window that failed closes, whichever window is in front.
    QWidget* own = window();
    PellorApp& app = app_;
    own->close();
    // After the other documents' alerts, should several have failed: over
    // them it would hide what still waits for an answer.
    app.openWindowAfterAlerts(QStringLiteral("welcome"));
}

void LottiePlayerView::rebuildInspector() {
    delete inspectorContent_;
    if (animation_) {
        inspectorContent_ = new AnimationInspectorForm(
            animation_, filePath_, [this](const QString& path) { app_.revealFileOrReport(path, window()); },
            inspectorPane_);
    } else {
        auto* text = new QLabel(tr("Cannot parse the document."), inspectorPane_);
        text->setWordWrap(true);
        inspectorContent_ = text;
    }
    auto* layout = static_cast<QVBoxLayout*>(inspectorPane_->layout());
    while (layout->count() > 0) delete layout->takeAt(0);
    layout->addWidget(inspectorContent_);
    layout->addStretch(1);
}

void LottiePlayerView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && animation_) {
        setAnimationPlaying(!animationPlaying_);
        event->accept();
        return;
    }
    // Before the animation has loaded, Space goes on to whoever else wants it.
    QWidget::keyPressEvent(event);
}

void LottiePlayerView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (SceneWindow* welcome = SceneWindow::find(QStringLiteral("welcome"))) welcome->close();
    setFocus(Qt::OtherFocusReason);
}

void LottiePlayerView::countFileOpen() {
    if (!shown_ || !opened_ || counted_) return;
    counted_ = true;
    // The review policy reads the count under its own key.
    const QString key = QString::fromLatin1(ReviewRequestManager::fileOpenCountKey);
    QSettings settings;
    settings.setValue(key, settings.value(key, 0).toInt() + 1);
}

}  // namespace pellor
