#pragma once
// A Qt widget that shows and plays one animation. It owns one
// LottieAnimationLayer, hosted under a root layer of the view's own size, keeps
// the layer's rendering layer fitted to its bounds by content mode or viewport
// (ContentModeFit), forwards the animation layer's playback API, and paints its
// layer tree through the compositor's renderer at the device-pixel ratio of its
// own window (re-read before every paint, so it follows the window to a screen
// of another density).
//
// Painting: into a raster image of premultiplied ARGB32 or opaque RGB32 pixels
// (the raster and offscreen platforms' backing stores, QWidget::render into
// such an image, grab()), the tree is drawn straight into the device's pixels
// over what is painted under the view (DirectRasterPaint); into any other device
// it is rendered into an image of the view's own, which is then painted.
//
// Frames: a ViewDisplayLink ticks at the screen's refresh rate while the tree
// has animations or changes to show, and asks for one paint per tick that
// drew; a paused or finished view stops ticking and painting. The frame a
// tick begins is drawn in turns with the event loop (FrameTurns) into an
// image of the view's own, over what was last painted under the view
// (ViewBackdrop) so that it composes with it as drawing straight into the
// device does, which the paint events then show, so that the
// view answers input while a long frame draws and shows its last whole
// picture meanwhile; a tick while a frame is under way draws nothing new.
// With FrameTurns off (tests that tick by hand), each paint draws the tree
// as described below. Every forwarded
// call that may change the tree, every layout pass and every drain of the main
// run loop (QtMainRunLoopBridge) restarts the link when the tree needs frames.
// A caller that changes the animation layer directly (lottieAnimationLayer())
// calls scheduleFrame() afterwards.
//
// Windows: see LottieAnimationViewBase for the events that count as moving
// into and out of a window. Moving out runs the background routine of the
// layer's background behaviour; moving in runs the foreground routine.
//
// What the frames keep for the next (pictures of layers that hold still,
// presentation copies, copies of images as shown) is given back when the
// display link stops (the view is paused or finished) and when the view
// moves out of its window, which also lets go of the image of the last paint. A play
// request made while the view is in no window is kept as waiting to play
// (isWaitingToPlay()) until the view enters one, which starts it again from
// the frame shown; the request itself runs meanwhile, so its state and
// completion stay those of the layer.
//
// Reports: what the view's events and display-link ticks set up and draw
// reports to the view's logger, also where the library looks up the shared
// logger (LottieLogger::Scope), so that each line says which view it is about.
//
// The loading forms (named(), filePath(), dotLottieFilePath(), ...) are in
// LottieAnimationViewLoading.cpp. Closures the view hands to its layer hold it
// weakly (QPointer). Owned by its Qt parent or its creator; main thread only.

#include <QPointer>
#include <QSize>
#include <any>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/DotLottie/DotLottieFile.h"
#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/LottieAnimationLayer.h"
#include "Lottie/Views/LottieAnimationViewBase.h"
#include "Lottie/Views/ViewBackdrop.h"
#include "Platform/Graphics/Image.h"

class QPainter;

namespace lottie {

class AnimationSubview;
class ViewDisplayLink;

class LottieAnimationView : public LottieAnimationViewBase {
    Q_OBJECT

public:
    using CompletionBlock = LottieAnimationLayer::CompletionBlock;
    using AnimationLoaded = std::function<void(LottieAnimationView&, const std::shared_ptr<const LottieAnimation>&)>;
    // A load that finished: the view, and the error that stopped it (none on success).
    using LoadCompletion = std::function<void(LottieAnimationView&, std::exception_ptr)>;

    // No animation yet; the shared configuration and logger.
    explicit LottieAnimationView(QWidget* parent = nullptr);
    LottieAnimationView(LottieConfiguration configuration, std::shared_ptr<LottieLogger> logger,
                        QWidget* parent = nullptr);
    // An animation (or none). A missing image provider means the main bundle's
    // images; the view takes the animation's size.
    LottieAnimationView(std::shared_ptr<const LottieAnimation> animation,
                        std::shared_ptr<AnimationImageProvider> imageProvider = nullptr,
                        std::shared_ptr<AnimationKeypathTextProvider> textProvider = nullptr,
                        std::shared_ptr<AnimationFontProvider> fontProvider = nullptr,
                        LottieConfiguration configuration = LottieConfiguration::shared(),
                        std::shared_ptr<LottieLogger> logger = LottieLogger::shared(), QWidget* parent = nullptr);
    // The package's animation of that identifier (the first without one), with
    // its loop mode, speed and the package's images.
    LottieAnimationView(const std::shared_ptr<const DotLottieFile>& dotLottie,
                        const std::optional<std::string>& animationId,
                        std::shared_ptr<AnimationKeypathTextProvider> textProvider = nullptr,
                        std::shared_ptr<AnimationFontProvider> fontProvider = nullptr,
                        LottieConfiguration configuration = LottieConfiguration::shared(),
                        std::shared_ptr<LottieLogger> logger = LottieLogger::shared(), QWidget* parent = nullptr);
    ~LottieAnimationView() override;

    // Loading forms. The JSON ones decode before returning (a failure is
    // warned about and leaves the view empty); the URL and package ones finish
    // on the main run loop and report through the completion.
    static LottieAnimationView* named(const std::string& name,
                                      const platform::foundation::Bundle& bundle = platform::foundation::Bundle::main(),
                                      const std::optional<std::string>& subdirectory = std::nullopt,
                                      std::shared_ptr<AnimationImageProvider> imageProvider = nullptr,
                                      LottieAnimation::Cache animationCache = nullptr,
                                      LottieConfiguration configuration = LottieConfiguration::shared());
    static LottieAnimationView* filePath(const std::string& path,
                                         std::shared_ptr<AnimationImageProvider> imageProvider = nullptr,
                                         LottieAnimation::Cache animationCache = nullptr,
                                         LottieConfiguration configuration = LottieConfiguration::shared());
    static LottieAnimationView* asset(const std::string& name,
                                      const platform::foundation::Bundle& bundle = platform::foundation::Bundle::main(),
                                      std::shared_ptr<AnimationImageProvider> imageProvider = nullptr,
                                      LottieAnimation::Cache animationCache = nullptr,
                                      LottieConfiguration configuration = LottieConfiguration::shared());
    static LottieAnimationView* url(const std::string& url, LottieURLSession& session,
                                    LoadCompletion completion = {},
                                    std::shared_ptr<AnimationImageProvider> imageProvider = nullptr,
                                    LottieAnimation::Cache animationCache = nullptr,
                                    LottieConfiguration configuration = LottieConfiguration::shared());
    static LottieAnimationView* dotLottieNamed(const std::string& name,
                                               const platform::foundation::Bundle& bundle = platform::foundation::Bundle::main(),
                                               const std::optional<std::string>& subdirectory = std::nullopt,
                                               const std::optional<std::string>& animationId = std::nullopt,
                                               std::shared_ptr<DotLottieCacheProvider> dotLottieCache = nullptr,
                                               LottieConfiguration configuration = LottieConfiguration::shared(),
                                               LoadCompletion completion = {});
    static LottieAnimationView* dotLottieFilePath(const std::string& path,
                                                  const std::optional<std::string>& animationId = std::nullopt,
                                                  std::shared_ptr<DotLottieCacheProvider> dotLottieCache = nullptr,
                                                  LottieConfiguration configuration = LottieConfiguration::shared(),
                                                  LoadCompletion completion = {});
    static LottieAnimationView* dotLottieAsset(const std::string& name,
                                               const platform::foundation::Bundle& bundle = platform::foundation::Bundle::main(),
                                               const std::optional<std::string>& animationId = std::nullopt,
                                               std::shared_ptr<DotLottieCacheProvider> dotLottieCache = nullptr,
                                               LottieConfiguration configuration = LottieConfiguration::shared(),
                                               LoadCompletion completion = {});
    static LottieAnimationView* dotLottieUrl(const std::string& url, LottieURLSession& session,
                                             const std::optional<std::string>& animationId = std::nullopt,
                                             std::shared_ptr<DotLottieCacheProvider> dotLottieCache = nullptr,
                                             LottieConfiguration configuration = LottieConfiguration::shared(),
                                             LoadCompletion completion = {});

    // The name of a main-bundle animation; setting loads it (none removes the animation).
    const std::optional<std::string>& animationName() const { return animationName_; }
    void setAnimationName(std::optional<std::string> name);

    // Playback, forwarded to the animation layer.
    void playPlaybackMode(const LottiePlaybackMode::PlaybackMode& mode, CompletionBlock completion = {});
    void play(CompletionBlock completion = {});
    void playFromProgress(std::optional<double> fromProgress, double toProgress,
                          std::optional<LottieLoopMode> loopMode = std::nullopt, CompletionBlock completion = {});
    void playFromFrame(std::optional<double> fromFrame, double toFrame,
                       std::optional<LottieLoopMode> loopMode = std::nullopt, CompletionBlock completion = {});
    void playFromMarker(std::optional<std::string> fromMarker, const std::string& toMarker,
                        bool playEndMarkerFrame = true, std::optional<LottieLoopMode> loopMode = std::nullopt,
                        CompletionBlock completion = {});
    void playMarker(const std::string& marker, std::optional<LottieLoopMode> loopMode = std::nullopt,
                    CompletionBlock completion = {});
    void playMarkers(const std::vector<std::string>& markers, CompletionBlock completion = {});
    void stop();
    void pause();
    void adoptPlaybackMode(const LottiePlaybackMode& mode, CompletionBlock completion = {});

    // Settings and state. Setters forward to the layer, then schedule a frame.
    bool animateLayoutChangesWithCurrentCoreAnimationContext() const { return animateLayoutChanges_; }
    void setAnimateLayoutChangesWithCurrentCoreAnimationContext(bool animate) { animateLayoutChanges_ = animate; }
    const LottieConfiguration& configuration() const { return layer_->configuration(); }
    void setConfiguration(const LottieConfiguration& configuration);
    const LottieAnimationLayer::ValueProviders& valueProviders() const { return layer_->valueProviders(); }
    LottieBackgroundBehavior backgroundBehavior() const { return layer_->backgroundBehavior(); }
    void setBackgroundBehavior(LottieBackgroundBehavior behavior) { layer_->setBackgroundBehavior(behavior); }
    const std::shared_ptr<const LottieAnimation>& animation() const { return layer_->animation(); }
    void setAnimation(std::shared_ptr<const LottieAnimation> animation);
    // With a rendering layer built ahead (LottieAnimationLayer::setAnimation).
    void setAnimation(std::shared_ptr<const LottieAnimation> animation,
                      std::shared_ptr<PreparedRenderingLayer> prepared);
    const AnimationLoaded& animationLoaded() const { return animationLoaded_; }
    void setAnimationLoaded(AnimationLoaded callback);
    void setImageProvider(std::shared_ptr<AnimationImageProvider> provider);
    void setTextProvider(std::shared_ptr<AnimationKeypathTextProvider> provider);
    void setFontProvider(std::shared_ptr<AnimationFontProvider> provider);
    bool maskAnimationToBounds() const { return layer_->maskAnimationToBounds(); }
    void setMaskAnimationToBounds(bool mask);
    bool isPlaying() const { return layer_->isPlaying(); }
    // True while a play request made outside any window waits for the view to enter one.
    bool isWaitingToPlay() const { return layer_->animationContext().has_value() && waitingToPlayAnimation_; }
    LottieLoopMode loopMode() const { return layer_->loopMode(); }
    void setLoopMode(LottieLoopMode mode);
    double currentProgress() const { return layer_->playheadProgress(); }
    void setCurrentProgress(double progress);
    double currentTime() const { return layer_->playheadTime(); }
    void setCurrentTime(double seconds);
    double currentFrame() const { return layer_->currentFrame(); }
    void setCurrentFrame(double frame);
    double realtimeAnimationFrame() const { return layer_->presentedFrame(); }
    double realtimeAnimationProgress() const { return layer_->presentedProgress(); }
    double animationSpeed() const { return layer_->animationSpeed(); }
    void setAnimationSpeed(double speed);
    const std::optional<platform::graphics::Rect>& viewportFrame() const { return viewportFrame_; }
    void setViewportFrame(std::optional<platform::graphics::Rect> viewport);
    std::optional<RenderingEngine> activeEngine() const { return layer_->activeEngine(); }
    const std::optional<LottiePlaybackMode>& currentPlaybackMode() const { return layer_->currentPlaybackMode(); }
    // dotLottie entries; no entry (or a negative index) does nothing.
    void loadDotLottieAnimationById(const std::optional<std::string>& animationId, const DotLottieFile& file);
    void loadDotLottieAnimationAtIndex(std::ptrdiff_t index, const DotLottieFile& file);
    void redrawCurrentFrame();
    void installValueProvider(std::shared_ptr<AnyValueProvider> provider, const AnimationKeypath& keypath);
    void uninstallValueProvider(const AnimationKeypath& keypath);

    // Keypath services and markers, forwarded to the animation layer (nothing
    // without a rendering layer or an animation).
    bool shouldRasterizeWhenIdle() const { return layer_->shouldRasterizeWhenIdle(); }
    void setShouldRasterizeWhenIdle(bool rasterize);
    bool respectAnimationFrameRate() const { return layer_->respectAnimationFrameRate(); }
    void setRespectAnimationFrameRate(bool respect);
    bool mainThreadRenderingEngineShouldForceDisplayUpdateOnEachFrame() const {
        return layer_->mainThreadRenderingEngineShouldForceDisplayUpdateOnEachFrame();
    }
    void setMainThreadRenderingEngineShouldForceDisplayUpdateOnEachFrame(bool force);
    void refreshImages();
    std::any valueAtKeypath(const AnimationKeypath& keypath, std::optional<double> atFrame = std::nullopt);
    std::any unoverriddenValueAtKeypath(const AnimationKeypath& keypath, std::optional<double> atFrame = std::nullopt);
    void logAllKeypaths();
    std::vector<std::string> collectAllKeypaths();
    // The layer's conversion into the keypath's layer; the view is laid out again afterwards.
    std::optional<platform::graphics::Rect> convertRect(const platform::graphics::Rect& rect,
                                                        const std::optional<AnimationKeypath>& keypath);
    std::optional<platform::graphics::Point> convertPoint(platform::graphics::Point point,
                                                          const std::optional<AnimationKeypath>& keypath);
    void setAnimatorNodesEnabled(bool enabled, const AnimationKeypath& keypath);
    std::optional<double> progressForMarker(const std::string& name) const;
    std::optional<double> frameForMarker(const std::string& name) const;
    std::optional<double> durationForMarker(const std::string& name) const;
    // Makes the subview a child of the view that moves with the keypath's
    // layer: its frame when added is read in that layer's space, and it is
    // placed over where that rectangle shows (boxed upright) on every frame and
    // layout pass. False, leaving the subview alone, when no layer answers to
    // the keypath.
    bool addAnimationSubview(AnimationSubview* subview, const AnimationKeypath& keypath);

    // The background and foreground routines of the layer's background behaviour.
    void animationWillMoveToBackground() override;
    void animationWillEnterForeground() override;

    // The animation's size, or nothing (an invalid size) without an animation.
    QSize sizeHint() const override;

    const std::shared_ptr<LottieAnimationLayer>& lottieAnimationLayer() const { return layer_; }
    // The layer the view renders: it holds the animation layer.
    const std::shared_ptr<platform::compositor::Layer>& rootLayer() const { return root_; }
    ViewDisplayLink& displayLink() const { return *displayLink_; }
    // Restarts the display link when the tree needs frames.
    void scheduleFrame();
    // The image of the last paint, in device pixels, when that paint went
    // through an image; none before the first paint, after a paint that drew
    // straight into a raster device (DirectRasterPaint), and out of a window.
    const std::shared_ptr<const platform::graphics::Image>& renderedImage() const { return renderedImage_; }
    // Renders the tree as it is now into an image of the view's size at the scale.
    std::shared_ptr<const platform::graphics::Image> renderImage(double scale);
    // Draws the rest of the frame under way, if one is, now (FrameTurns), and
    // asks for its paint: for a caller that needs the finished picture.
    void finishFrame();

protected:
    bool event(QEvent* event) override;
    void layoutAnimation() override;
    void windowChanged(bool inWindow) override;
    void screenChanged() override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void commonInit();
    // Brings the root layer to the view's size and runs a pending layout pass.
    void prepareToRender();
    // Moves the animation subviews over their layers as they are now.
    void placeAnimationSubviews();
    // After a new animation: the view's and the layer's sizes follow it.
    void takeAnimationSize();
    void applyScreenScale(double scale);
    void noteWaiting();
    void animationDidChange();
    // What paintEvent draws, when nothing has failed.
    void paintAnimation(QPaintEvent* event);
    // Draws a frame (after the display pass, when given): in turns with the
    // event loop (FrameTurns), the picture then shown by the paint events.
    void drawFrame(std::function<void()> displayPass);
    // Paints the last whole picture, and asks for one of the view's size, over
    // what lies under the view now, when it has none.
    void presentPicture(const QPaintEvent& event);
    void paintRenderedImage(QPainter& painter, double scale);
    // The view's size in pixels at `scale`.
    QSize pixelSize(double scale) const;
    // Drawing the animation failed: the view shows nothing of it from now on.
    void stopDrawing(const std::string& reason);

    std::shared_ptr<platform::compositor::Layer> root_;
    std::shared_ptr<LottieAnimationLayer> layer_;
    ViewDisplayLink* displayLink_ = nullptr;
    bool animateLayoutChanges_ = true;
    AnimationLoaded animationLoaded_;
    std::optional<platform::graphics::Rect> viewportFrame_;
    std::optional<std::string> animationName_;
    bool waitingToPlayAnimation_ = false;
    std::shared_ptr<LottieLogger> logger_;
    std::shared_ptr<const platform::graphics::Image> renderedImage_;
    // The size in pixels of the picture last asked of a frame drawn in turns.
    QSize askedSize_;
    // What lies under the view, as last painted; what the picture last asked
    // of a frame drawn in turns, and the picture shown, were drawn over.
    ViewBackdrop backdrop_;
    std::shared_ptr<const platform::graphics::Image> askedBackdrop_;
    std::shared_ptr<const platform::graphics::Image> pictureBackdrop_;
    // Set when drawing the current animation threw (memory ran out on a
    // hostile document): nothing more of it is drawn, so the window neither
    // ends nor tries again on every paint. A new animation clears it.
    bool paintFailed_ = false;
    struct SubviewPlacement {
        QPointer<AnimationSubview> subview;
        std::weak_ptr<platform::compositor::Layer> layer;
        // The subview's frame when it was added, read in the layer's space.
        platform::graphics::Rect frame;
    };
    std::vector<SubviewPlacement> subviews_;
};

}  // namespace lottie
