#include "Lottie/Views/LottieViewHost.h"

#include <QGraphicsOpacityEffect>
#include <QShowEvent>

#include "Lottie/Views/ViewDisplayLink.h"
#include "Platform/Foundation/MainRunLoop.h"

namespace lottie {

namespace {

// The rendering layer of what a load delivered, as the hosted view builds it
// for `request`: a package's first animation with its own images, when it
// names them (LottieAnimationLayer::loadDotLottieAnimation).
std::shared_ptr<PreparedRenderingLayer> prepare(PreparedRenderingLayer::Request request,
                                                const LottieAnimationSource& source) {
    if (const auto& file = source.dotLottie()) {
        if (file->animations().empty()) return nullptr;
        const DotLottieEntry& entry = file->animations().front();
        if (auto images = entry.configuration.imageProvider()) request.imageProvider = std::move(images);
        request.animation = entry.animation();
    } else {
        request.animation = source.animation();
    }
    return PreparedRenderingLayer::prepare(std::move(request));
}

}  // namespace

LottieViewHost::LottieViewHost(QWidget* parent) : QWidget(parent) {}

LottieViewHost::~LottieViewHost() { *alive_ = false; }

LottieAnimationView* LottieViewHost::animationView() const {
    return container_ ? &container_->hostedView() : nullptr;
}

void LottieViewHost::apply(const LottieView& view) {
    const bool first = !view_;
    const bool triggerChanged = !first && view.reloadAnimationTrigger() != view_->reloadAnimationTrigger();
    view_ = view;
    update();
    // The first value's trigger is where the trigger starts, not a change.
    if (triggerChanged) reloadAnimation();
    // A host shown before it had a value appears with its first value.
    if (first && isVisible() && !loadRunning_) loadAsynchronously();
}

void LottieViewHost::update(std::shared_ptr<PreparedRenderingLayer> prepared) {
    // Setting the value's animation up reports to the value's logger.
    const LottieLogger::Scope reporting(view_->logger());
    bridge_ = std::make_shared<const LottieView::Bridge>(view_->bridge(remoteAnimation_, std::move(prepared)));
    if (!container_) {
        container_ = bridge_->makeHost(this);
        container_->show();
    }
    if (!placeholder_ && view_->placeholder()) {
        placeholder_ = view_->placeholder()();
        placeholder_->setParent(this);
    }
    runConfigurations();
    // A binding runs the value's configurations again on every display frame
    // of the hosted view, its binding configuration among them; without one
    // the link is left to stop once the view has nothing to draw. Nothing but
    // the configurations can change between two frames (a new value or a
    // delivery comes through here), so a frame reuses the bridge made here.
    container_->hostedView().displayLink().setFrameObserver(
        view_->hasFrameBinding() ? std::function<void()>([this] { runConfigurations(); }) : std::function<void()>());

    // An invisible hosted view stays in its window, so that it keeps its
    // playback and its display link going; only its painting is suppressed.
    const bool showing = view_->animationSource(remoteAnimation_).has_value();
    if (showing != showingAnimation_ || (!showing && !container_->graphicsEffect())) {
        showingAnimation_ = showing;
        if (showing) {
            container_->setGraphicsEffect(nullptr);
        } else {
            auto* effect = new QGraphicsOpacityEffect(container_);
            effect->setOpacity(0);
            container_->setGraphicsEffect(effect);
        }
    }
    if (placeholder_) placeholder_->setVisible(!showing);
    placeChildren();
}

void LottieViewHost::runConfigurations() {
    // Held for the length of the run: a configuration may apply a new value
    // to the host, which replaces the host's bridge.
    const std::shared_ptr<const LottieView::Bridge> bridge = bridge_;
    bridge->update(*container_);
}

void LottieViewHost::loadAsynchronously() {
    if (!view_ || !view_->loader()) return;
    const std::uint64_t generation = ++loadGeneration_;
    loadRunning_ = true;
    std::weak_ptr<bool> alive = alive_;
    // What the hosted view would build its rendering layer from, as it is now.
    PreparedRenderingLayer::Request request;
    if (LottieAnimationView* hosted = animationView()) request = hosted->lottieAnimationLayer()->renderingLayerRequest(nullptr);
    view_->loader()([this, alive, generation, request = std::move(request)](std::optional<LottieAnimationSource> source,
                                                                            std::exception_ptr error) {
        // A delivery off the main thread builds the rendering layer where it is.
        std::shared_ptr<PreparedRenderingLayer> prepared;
        if (source && !error && !platform::foundation::isMainThread()) {
            try {
                prepared = prepare(request, *source);
            } catch (const std::exception&) {
                // Memory ran out on a hostile document: the hosted view builds
                // it, and meets the failure where it always has.
            }
        }
        // Any thread may deliver: the result is taken on the main run loop.
        platform::foundation::MainRunLoop::shared().post(
            [this, alive, generation, source = std::move(source), prepared = std::move(prepared), error] {
                if (alive.lock()) deliver(generation, source, prepared, error);
            });
    });
}

void LottieViewHost::deliver(std::uint64_t generation, std::optional<LottieAnimationSource> source,
                             std::shared_ptr<PreparedRenderingLayer> prepared, std::exception_ptr error) {
    // Only the newest load counts, and only its first delivery.
    if (generation != loadGeneration_ || !loadRunning_) return;
    loadRunning_ = false;
    if (error) {
        std::string text = "unknown error";
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& exception) {
            text = exception.what();
        } catch (...) {
        }
        view_->logger()->warn([text] { return "Failed to load asynchronous Lottie animation with error: " + text; },
                              "Lottie/LottieView", __LINE__);
        return;
    }
    loadedOnce_ = source.has_value();
    remoteAnimation_ = std::move(source);
    update(std::move(prepared));
}

void LottieViewHost::reloadAnimation() {
    if (!view_->loader()) return;
    if (view_->showPlaceholderWhileReloading()) {
        remoteAnimation_.reset();
        update();
    }
    loadAsynchronously();
}

void LottieViewHost::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    if (!loadedOnce_ && !loadRunning_) loadAsynchronously();
}

void LottieViewHost::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeChildren();
}

void LottieViewHost::placeChildren() {
    if (container_) container_->setGeometry(rect());
    if (placeholder_) {
        // Centred over the host at its own size; one without a size fills the host.
        const QSize hint = placeholder_->sizeHint();
        QRect frame = rect();
        if (hint.isValid()) {
            frame = QRect(QPoint(0, 0), hint.boundedTo(size()));
            frame.moveCenter(rect().center());
        }
        placeholder_->setGeometry(frame);
        placeholder_->raise();
    }
}

QSize LottieViewHost::sizeHint() const { return container_ ? container_->sizeHint() : QSize(0, 0); }

QSize LottieViewHost::minimumSizeHint() const { return container_ ? container_->minimumSizeHint() : QSize(0, 0); }

bool LottieViewHost::hasHeightForWidth() const { return container_ && container_->hasHeightForWidth(); }

int LottieViewHost::heightForWidth(int width) const { return container_ ? container_->heightForWidth(width) : -1; }

}  // namespace lottie
