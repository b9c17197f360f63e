#pragma once
// The root layer of the main-thread engine. It builds one composition layer per
// document layer once, and afterwards only reacts: playback animates its
// "currentFrame" number, and every frame the compositor asks it to display is
// pushed into the composition layers, whose node graphs update what changed. It
// also answers the keypath queries by walking its composition layers.
//
// Made through make() (the tree can only be built once a shared pointer holds
// the layer) by the animation layer, which owns it as a sublayer and drives it
// through RootAnimationLayer. Main thread only: a display request from another
// thread draws nothing.
//
// Image layers get their pictures through a LayerImageProvider, which the image
// provider setter and refreshImages() re-run.
//
// A display pass lays texts out; one asked for outside any deadline (before
// the first frame is drawn, or by the display link) counts toward one of its
// own: the first toward the rest of the set-up's, later ones toward a fresh
// one as long, so that a text that changes each frame is bounded each frame.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "Lottie/MainThread/CompositionLayers/CompositionLayer.h"
#include "Lottie/MainThread/Providers/LayerImageProvider.h"
#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Playback/RootAnimationLayer.h"
#include "Platform/Graphics/OpeningDeadline.h"
#include "Platform/Graphics/ProcessorDeadline.h"

namespace lottie {

class TextCompositionLayer;

class MainThreadAnimationLayer final : public RootAnimationLayer {
public:
    static constexpr const char* currentFrameKey = "currentFrame";

    static std::shared_ptr<MainThreadAnimationLayer> make(std::shared_ptr<const LottieAnimation> animation,
                                                          std::shared_ptr<AnimationImageProvider> imageProvider,
                                                          std::shared_ptr<AnimationKeypathTextProvider> textProvider,
                                                          std::shared_ptr<AnimationFontProvider> fontProvider,
                                                          bool maskAnimationToBounds,
                                                          std::shared_ptr<LottieLogger> logger,
                                                          std::shared_ptr<platform::text::TextCutReports> textCutReports = nullptr);

    // Use make(); the constructor alone builds no composition layers.
    MainThreadAnimationLayer(std::shared_ptr<const LottieAnimation> animation,
                             std::shared_ptr<AnimationImageProvider> imageProvider,
                             std::shared_ptr<AnimationKeypathTextProvider> textProvider,
                             std::shared_ptr<AnimationFontProvider> fontProvider, std::shared_ptr<LottieLogger> logger);

    const std::vector<std::shared_ptr<CompositionLayer>>& animationLayers() const { return animationLayers_; }
    bool forceDisplayUpdateOnEachFrame() const { return forceDisplayUpdateOnEachFrame_; }
    void setForceDisplayUpdateOnEachFrame(bool force) { forceDisplayUpdateOnEachFrame_ = force; }

    // Shows the animation's start frame on the calling thread before the layer
    // is handed to the main thread (PreparedRenderingLayer): the node graphs of
    // the layers that frame shows are built and their values worked out there,
    // under the set-up's deadline, and the first display pass finds them
    // current. Nothing for a document with text, whose text providers are
    // asked on the main thread alone. Only while no other thread holds the layer.
    void showFirstFrameAhead();

    // The display pass: the presented frame into every composition layer.
    void display() override;
    // Logs what the renderer's limits left out of this animation, each kind once.
    bool reportRenderLimit(const std::string& message) override;
    // Playback interpolates the frame linearly from where it is presented now.
    std::shared_ptr<platform::compositor::Animation> action(std::string_view key) const override;

    double currentFrame() const override;
    void setCurrentFrame(double frame) override;
    double renderScale() const override { return renderScale_; }
    void setRenderScale(double scale) override;
    bool respectAnimationFrameRate() const override { return respectAnimationFrameRate_; }
    void setRespectAnimationFrameRate(bool respect) override { respectAnimationFrameRate_ = respect; }
    std::vector<std::shared_ptr<platform::compositor::Layer>> allAnimationLayers() const override;

    std::shared_ptr<AnimationImageProvider> imageProvider() const override { return imageProvider_; }
    void setImageProvider(std::shared_ptr<AnimationImageProvider> provider) override;
    std::shared_ptr<AnimationKeypathTextProvider> textProvider() const override { return textProvider_; }
    void setTextProvider(std::shared_ptr<AnimationKeypathTextProvider> provider) override;
    std::shared_ptr<AnimationFontProvider> fontProvider() const override { return fontProvider_; }
    std::shared_ptr<platform::text::TextCutReports> textCutReports() const override { return textCutReports_; }
    void setFontProvider(std::shared_ptr<AnimationFontProvider> provider) override;

    std::optional<std::string> playbackAnimationKey() const override { return std::nullopt; }
    std::optional<bool> isAnimationPlayingIfKnown() const override { return std::nullopt; }

    void refreshImages() override;
    void redrawCurrentFrame() override;

    void logAllKeypaths() override;
    std::vector<std::string> collectAllKeypaths() override;
    void installValueProvider(std::shared_ptr<AnyValueProvider> provider, const AnimationKeypath& keypath) override;
    void uninstallValueProvider(const AnimationKeypath& keypath) override;
    std::any valueAtKeypath(const AnimationKeypath& keypath, std::optional<double> atFrame) override;
    std::any unoverriddenValueAtKeypath(const AnimationKeypath& keypath, std::optional<double> atFrame) override;
    std::shared_ptr<platform::compositor::Layer> layerForKeypath(const AnimationKeypath& keypath) override;
    std::optional<std::vector<std::shared_ptr<AnimatorNode>>> nodesAtKeypath(const AnimationKeypath& keypath) override;

    // The keypath of a text layer of this animation, from one map of every text
    // layer made the first time one asks, so that setting up n text layers
    // costs n steps rather than n walks of the whole tree. None for a layer
    // that is not (yet) in the tree.
    std::optional<AnimationKeypath> textLayerKeypath(const std::shared_ptr<TextCompositionLayer>& layer);

private:
    void build(bool maskAnimationToBounds);
    // The frame presented now: the animated value while playback runs, else the model's.
    double presentedFrame() const;
    // Whether a frame is the animation's last one (within rounding), which still
    // shows the layers whose out frame it is.
    bool isAnimationEnd(double frame) const;
    // Applies `change` to every property at the keypath, then shows the layers
    // that have one again, forced.
    void changeProviders(const AnimationKeypath& keypath, const std::function<void(AnyNodeProperty&)>& change);
    std::any valueOfFirstMatch(const AnimationKeypath& keypath, std::optional<double> atFrame, bool original);

    std::shared_ptr<const LottieAnimation> animation_;
    // The set-up's deadline, until the first display pass takes it over.
    std::shared_ptr<platform::graphics::ProcessorDeadline> setUpDeadline_;
    // The opening of the document this layer was built in: a set-up deadline
    // made before its first frame is a share of it.
    std::shared_ptr<platform::graphics::OpeningDeadline> opening_;
    std::shared_ptr<platform::graphics::ProcessorDeadline> freshSetUpDeadline() const;
    bool respectAnimationFrameRate_ = false;
    bool forceDisplayUpdateOnEachFrame_ = false;
    std::vector<std::shared_ptr<CompositionLayer>> animationLayers_;
    double renderScale_ = 1;
    std::shared_ptr<AnimationImageProvider> imageProvider_;
    std::unique_ptr<LayerImageProvider> layerImageProvider_;
    std::shared_ptr<AnimationKeypathTextProvider> textProvider_;
    std::shared_ptr<AnimationFontProvider> fontProvider_;
    std::shared_ptr<LottieLogger> logger_;
    // Shared with the engine this one took over from, if any.
    std::shared_ptr<platform::text::TextCutReports> textCutReports_ =
        std::make_shared<platform::text::TextCutReports>();
    std::unordered_map<std::shared_ptr<TextCompositionLayer>, AnimationKeypath> textLayerKeypaths_;
    // How many composition layers the map was made from; a tree still being
    // stacked has fewer, and a lookup then makes the map again.
    std::size_t textLayerKeypathsSource_ = 0;
};

}  // namespace lottie
