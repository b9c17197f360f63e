#include "Lottie/Views/LottieAnimationView.h"

#include <QCoreApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <cmath>

#include "Lottie/Views/AnimationSubview.h"
#include "Lottie/Views/ContentModeFit.h"
#include "Lottie/Views/DirectRasterPaint.h"
#include "Lottie/Views/FrameTurns.h"
#include "Lottie/Views/LayoutAnimations.h"
#include "Lottie/Views/QtMainRunLoopBridge.h"
#include "Lottie/Views/ViewDisplayLink.h"
#include "Platform/Compositor/FrameThread.h"
#include "Platform/Compositor/MediaClock.h"
#include "Platform/Compositor/Renderer.h"
#include "Platform/Compositor/Transaction.h"

namespace lottie {

using platform::graphics::Rect;

LottieAnimationView::LottieAnimationView(QWidget* parent)
    : LottieAnimationView(LottieConfiguration::shared(), LottieLogger::shared(), parent) {}

LottieAnimationView::LottieAnimationView(LottieConfiguration configuration, std::shared_ptr<LottieLogger> logger,
                                         QWidget* parent)
    : LottieAnimationViewBase(parent),
      layer_(LottieAnimationLayer::makeEmpty(std::move(configuration), logger)),
      logger_(std::move(logger)) {
    commonInit();
}

LottieAnimationView::LottieAnimationView(std::shared_ptr<const LottieAnimation> animation,
                                         std::shared_ptr<AnimationImageProvider> imageProvider,
                                         std::shared_ptr<AnimationKeypathTextProvider> textProvider,
                                         std::shared_ptr<AnimationFontProvider> fontProvider,
                                         LottieConfiguration configuration, std::shared_ptr<LottieLogger> logger,
                                         QWidget* parent)
    : LottieAnimationViewBase(parent),
      layer_(LottieAnimationLayer::make(std::move(animation), std::move(imageProvider), std::move(textProvider),
                                        std::move(fontProvider), std::move(configuration), logger)),
      logger_(std::move(logger)) {
    takeAnimationSize();
    commonInit();
}

LottieAnimationView::LottieAnimationView(const std::shared_ptr<const DotLottieFile>& dotLottie,
                                         const std::optional<std::string>& animationId,
                                         std::shared_ptr<AnimationKeypathTextProvider> textProvider,
                                         std::shared_ptr<AnimationFontProvider> fontProvider,
                                         LottieConfiguration configuration, std::shared_ptr<LottieLogger> logger,
                                         QWidget* parent)
    : LottieAnimationViewBase(parent),
      layer_(LottieAnimationLayer::makeWithDotLottie(dotLottie, animationId, std::move(textProvider),
                                                     std::move(fontProvider), std::move(configuration), logger)),
      logger_(std::move(logger)) {
    takeAnimationSize();
    commonInit();
}

LottieAnimationView::~LottieAnimationView() {
    // A frame under way draws this view's tree: it ends before the tree can go.
    FrameTurns::shared().abandon(this);
    // The layer may outlive the view (a caller holding it): it must not call back.
    layer_->setAnimationLoaded({});
    layer_->setAnimationLayerDidLoad({});
    // The tree goes a layer at a time, after the view.
    FrameTurns::shared().takeApart(root_);
}

void LottieAnimationView::commonInit() {
    root_ = platform::compositor::Layer::make();
    root_->setAnchorPoint({0, 0});
    root_->setBounds({0, 0, static_cast<double>(width()), static_cast<double>(height())});
    root_->addSublayer(layer_);
    displayLink_ = new ViewDisplayLink(
        root_, [this](std::function<void()> displayPass) { drawFrame(std::move(displayPass)); }, this);
    // Paused, finished or out of its window, the view draws no frame that
    // what its frames kept for the next would serve.
    displayLink_->setStopHandler([this] {
        FrameTurns::shared().abandon(this);
        root_->releaseKeptStorage();
    });
    displayLink_->setFrameUnderWay([this] { return FrameTurns::shared().isDrawing(this); });
    displayLink_->setLogger(logger_);
    if (QtMainRunLoopBridge* bridge = QtMainRunLoopBridge::install()) {
        connect(bridge, &QtMainRunLoopBridge::drained, this, &LottieAnimationView::scheduleFrame);
    }
    // The scale of the window the view is in; 1 until it is in one. Unlike a
    // scale read once from whichever window is main, this follows the view.
    applyScreenScale(devicePixelRatioF());
    QPointer<LottieAnimationView> self(this);
    // A frame's display pass, drawn away from the main thread (FrameTurns),
    // may load the rendering layer anew (an engine falling back): the view,
    // a widget, hears of it on the main thread once the frame has ended.
    const auto onMainThread = [self](std::function<void()> tell) {
        if (!platform::compositor::FrameThread::onFrameThread()) {
            tell();
            return;
        }
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [self, tell = std::move(tell)] { if (self) tell(); }, Qt::QueuedConnection);
    };
    layer_->setAnimationLoaded([self, onMainThread](LottieAnimationLayer&,
                                                   const std::shared_ptr<const LottieAnimation>& animation) {
        onMainThread([self, animation] {
            if (!self) return;
            if (self->animationLoaded_) self->animationLoaded_(*self, animation);
            self->animationDidChange();
        });
    });
    layer_->setAnimationLayerDidLoad([self, onMainThread](LottieAnimationLayer&, const RenderingEngineOption&) {
        onMainThread([self] {
            if (self) self->animationDidChange();
        });
    });
    setNeedsLayout();
    scheduleFrame();
}

void LottieAnimationView::takeAnimationSize() {
    const auto& animation = layer_->animation();
    if (!animation) return;
    layer_->setFrame({0, 0, animation->width, animation->height});
    resize(static_cast<int>(std::lround(animation->width)), static_cast<int>(std::lround(animation->height)));
}

void LottieAnimationView::animationDidChange() {
    paintFailed_ = false;
    // The animation layer's frame is the animation's own rectangle at the origin.
    if (const auto& animation = layer_->animation()) layer_->setFrame({0, 0, animation->width, animation->height});
    updateGeometry();
    setNeedsLayout();
    scheduleFrame();
}

void LottieAnimationView::scheduleFrame() { displayLink_->schedule(); }

bool LottieAnimationView::event(QEvent* event) {
    const LottieLogger::Scope reporting(logger_);
    return LottieAnimationViewBase::event(event);
}

QSize LottieAnimationView::sizeHint() const {
    const auto& animation = layer_->animation();
    if (!animation) return {0, 0};
    return {static_cast<int>(std::lround(animation->width)), static_cast<int>(std::lround(animation->height))};
}

void LottieAnimationView::resizeEvent(QResizeEvent* event) {
    root_->setBounds({0, 0, static_cast<double>(width()), static_cast<double>(height())});
    LottieAnimationViewBase::resizeEvent(event);
    scheduleFrame();
}

void LottieAnimationView::layoutAnimation() {
    const auto& animation = layer_->animation();
    const auto rendering = layer_->renderingLayer();
    if (!animation || !rendering) return;
    const Rect bounds{0, 0, static_cast<double>(width()), static_cast<double>(height())};
    const std::optional<ContentModeFit> fit =
        ContentModeFit::compute(bounds, {animation->width, animation->height}, contentMode(), viewportFrame_);
    if (!fit) {
        // Nothing to fit into, or nothing to fit: hide rather than pass on
        // infinite or undefined scales.
        rendering->setHidden(true);
        scheduleFrame();
        return;
    }
    rendering->setHidden(false);
    if (!animateLayoutChanges_ || !LayoutAnimations::follow(*layer_, *rendering, *fit)) {
        platform::compositor::Transaction::begin();
        platform::compositor::Transaction::setAnimationDuration(0);
        platform::compositor::Transaction::setAnimationTimingFunction(platform::compositor::TimingFunction::linear());
        rendering->setPosition(fit->position);
        rendering->setTransform(fit->transform);
        platform::compositor::Transaction::commit();
    }
    if (fit->redraw) rendering->redrawCurrentFrame();
    placeAnimationSubviews();
    scheduleFrame();
}

void LottieAnimationView::applyScreenScale(double scale) {
    if (!std::isfinite(scale) || scale <= 0) scale = 1;
    if (scale != layer_->screenScale()) layer_->setScreenScale(scale);
}

void LottieAnimationView::screenChanged() {
    if (QWidget* top = window(); top && top->windowHandle()) displayLink_->setScreen(top->windowHandle()->screen());
    applyScreenScale(devicePixelRatioF());
    update();
    scheduleFrame();
}

void LottieAnimationView::prepareToRender() {
    // A widget that has never been shown hears of no resize; its size still counts.
    const Rect bounds{0, 0, static_cast<double>(width()), static_cast<double>(height())};
    if (root_->bounds() != bounds) {
        root_->setBounds(bounds);
        setNeedsLayout();
    }
    layoutIfNeeded();
}

std::shared_ptr<const platform::graphics::Image> LottieAnimationView::renderImage(double scale) {
    // Drawn here and now: a frame under way of the same tree gives way.
    FrameTurns::shared().abandon(this);
    prepareToRender();
    const QSize pixels = pixelSize(scale);
    if (pixels.width() <= 0 || pixels.height() <= 0) return nullptr;
    return platform::compositor::Renderer::renderImage(root_, platform::compositor::MediaClock::currentTime(),
                                                       pixels.width(), pixels.height(), scale);
}

void LottieAnimationView::paintEvent(QPaintEvent* event) {
    if (paintFailed_) return;
    try {
        paintAnimation(event);
    } catch (const std::exception& error) {
        // An exception must not leave an event handler: it would end the
        // program.
        stopDrawing(error.what());
    }
}

void LottieAnimationView::paintAnimation(QPaintEvent* event) {
    if (FrameTurns::isEnabled()) {
        presentPicture(*event);
        return;
    }
    const double scale = devicePixelRatioF();
    applyScreenScale(scale);
    QPainter painter(this);
    // A raster backing store (or an image being rendered into) takes the tree
    // straight into its pixels, over what the parent painted there.
    prepareToRender();
    if (width() > 0 && height() > 0 &&
        DirectRasterPaint::paint(painter, event->region(), root_, platform::compositor::MediaClock::currentTime())) {
        renderedImage_ = nullptr;
        return;
    }
    renderedImage_ = renderImage(scale);
    paintRenderedImage(painter, scale);
}

void LottieAnimationView::paintRenderedImage(QPainter& painter, double scale) {
    if (!renderedImage_) return;
    // Both sides use premultiplied ARGB in native byte order: the pixels are
    // painted where they are, without a copy.
    QImage image(renderedImage_->pixels().data(), renderedImage_->width(), renderedImage_->height(),
                 renderedImage_->bytesPerRow(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    painter.drawImage(QPointF(0, 0), image);
}

void LottieAnimationView::windowChanged(bool inWindow) {
    if (inWindow) {
        animationWillEnterForeground();
    } else {
        FrameTurns::shared().abandon(this);
        animationWillMoveToBackground();
        // Shown nowhere, the view keeps nothing for its next frame.
        root_->releaseKeptStorage();
        renderedImage_ = nullptr;
        askedSize_ = QSize();
        backdrop_.forget();
        pictureBackdrop_ = nullptr;
        askedBackdrop_ = nullptr;
    }
}

void LottieAnimationView::drawFrame(std::function<void()> displayPass) {
    if (!FrameTurns::isEnabled()) {
        // Drawn whole here: the display pass now, the picture in the paint event.
        if (displayPass) displayPass();
        placeAnimationSubviews();
        update();
        return;
    }
    const double scale = devicePixelRatioF();
    applyScreenScale(scale);
    prepareToRender();
    askedSize_ = pixelSize(scale);
    askedBackdrop_ = backdrop_.pixels();
    struct Outcome {
        std::shared_ptr<const platform::graphics::Image> picture;
        // What lies under the view, which the picture was drawn over.
        std::shared_ptr<const platform::graphics::Image> backdrop;
        std::optional<std::string> failure;
    };
    auto outcome = std::make_shared<Outcome>();
    if (askedBackdrop_ && askedBackdrop_->width() == askedSize_.width() &&
        askedBackdrop_->height() == askedSize_.height()) {
        outcome->backdrop = askedBackdrop_;
    }
    const double mediaTime = platform::compositor::MediaClock::currentTime();
    // The work reads nothing of the view, which stays on the main thread:
    // only the tree, which the main thread leaves alone until the frame ends.
    // An animation that could not be drawn goes on being displayed, as the
    // link asks, but is drawn no more.
    auto work = [root = root_, logger = logger_, displayPass = std::move(displayPass), outcome,
                 pixels = askedSize_, scale, mediaTime, draws = !paintFailed_] {
        const LottieLogger::Scope reporting(logger);
        try {
            if (displayPass) displayPass();
            if (draws && pixels.width() > 0 && pixels.height() > 0) {
                outcome->picture = platform::compositor::Renderer::renderImage(
                    root, mediaTime, pixels.width(), pixels.height(), scale, outcome->backdrop.get());
            }
        } catch (const std::exception& error) {
            outcome->failure = error.what();
        }
    };
    QPointer<LottieAnimationView> self(this);
    FrameTurns::shared().start(
        this, root_.get(), std::move(work),
        [self, outcome] {
            if (!self) return;
            if (self->paintFailed_) return;
            if (outcome->failure) {
                self->stopDrawing(*outcome->failure);
                return;
            }
            self->renderedImage_ = outcome->picture;
            self->pictureBackdrop_ = outcome->picture ? outcome->backdrop : nullptr;
            self->placeAnimationSubviews();
            self->update();
        },
        [self] {
            // The tree changed under the frame: the change asks for the next one.
            if (self) QMetaObject::invokeMethod(self, &LottieAnimationView::scheduleFrame, Qt::QueuedConnection);
        });
}

void LottieAnimationView::presentPicture(const QPaintEvent& event) {
    const double scale = devicePixelRatioF();
    const QSize pixels = pixelSize(scale);
    QPainter painter(this);
    // What the parent painted under the view, before the view paints over it.
    if ((QRegion(rect()) - event.region()).isEmpty()) backdrop_.read(painter, rect(), pixels);
    const bool current =
        renderedImage_ && renderedImage_->width() == pixels.width() && renderedImage_->height() == pixels.height();
    // A picture of another size (or none yet), or drawn over something else
    // than lies under the view now, is drawn anew; meanwhile the last whole
    // one shows.
    const bool backdropChanged = pictureBackdrop_ != backdrop_.pixels() && askedBackdrop_ != backdrop_.pixels();
    if (((!current && askedSize_ != pixels) || backdropChanged) && pixels.width() > 0 && pixels.height() > 0 &&
        !FrameTurns::shared().isDrawing(this)) {
        drawFrame(nullptr);
    }
    // A picture drawn over what lies under the view holds it already.
    if (pictureBackdrop_) painter.setCompositionMode(QPainter::CompositionMode_Source);
    paintRenderedImage(painter, scale);
}

QSize LottieAnimationView::pixelSize(double scale) const {
    return QSize(static_cast<int>(std::ceil(width() * scale)), static_cast<int>(std::ceil(height() * scale)));
}

void LottieAnimationView::stopDrawing(const std::string& reason) {
    paintFailed_ = true;
    renderedImage_ = nullptr;
    logger_->warn([reason] { return "The animation could not be drawn and is no longer shown: " + reason; }, __FILE__,
                  __LINE__);
}

void LottieAnimationView::finishFrame() { FrameTurns::shared().finish(this); }

void LottieAnimationView::animationWillMoveToBackground() {
    layer_->animationWillMoveToBackground();
    scheduleFrame();
}

void LottieAnimationView::animationWillEnterForeground() {
    const bool waiting = waitingToPlayAnimation_;
    waitingToPlayAnimation_ = false;
    layer_->animationWillEnterForeground(waiting);
    scheduleFrame();
}

}  // namespace lottie
