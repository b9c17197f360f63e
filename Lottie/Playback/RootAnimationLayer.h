#pragma once
// The root layer of either rendering engine, as the animation layer holds, configures
// and drives it through one reference. Both engines' root layers derive from it; the
// animation layer owns the one it built (as its sublayer) and also uses ordinary
// layer operations on it (animations, presentation copies, conversions). Main
// thread only.
//
// Engines answer the keypath lookups from their own layer trees; an engine that
// cannot answer one reports that through the logger and gives nothing.

#include <any>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "Lottie/Playback/Keypaths/AnimationKeypath.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Playback/Providers/AnimationFontProvider.h"
#include "Lottie/Playback/Providers/AnimationImageProvider.h"
#include "Lottie/Playback/Providers/AnimationKeypathTextProvider.h"
#include "Lottie/Playback/ValueProviders/AnyValueProvider.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Text/TextCutReports.h"

namespace lottie {

class AnimatorNode;
class LottieAnimationLayer;

class RootAnimationLayer : public platform::compositor::Layer {
public:
    RootAnimationLayer() = default;

    // The animation layer that owns this one; set right after building, before
    // anything else. Held weakly: the owner holds this layer.
    std::shared_ptr<LottieAnimationLayer> lottieAnimationLayer() const { return lottieAnimationLayer_.lock(); }
    void setLottieAnimationLayer(const std::shared_ptr<LottieAnimationLayer>& owner) { lottieAnimationLayer_ = owner; }

    // The frame shown, in animation frames. Writing moves there (on the Core Animation
    // engine, pauses there).
    virtual double currentFrame() const = 0;
    virtual void setCurrentFrame(double frame) = 0;
    // The contents scale to draw at.
    virtual double renderScale() const = 0;
    virtual void setRenderScale(double scale) = 0;
    // Whether to show whole frames only; an engine that can't may just say so.
    virtual bool respectAnimationFrameRate() const = 0;
    virtual void setRespectAnimationFrameRate(bool respect) = 0;
    virtual std::vector<std::shared_ptr<platform::compositor::Layer>> allAnimationLayers() const = 0;

    // Used for what is shown next. After a new image provider the owner calls
    // refreshImages() itself.
    virtual std::shared_ptr<AnimationImageProvider> imageProvider() const = 0;
    virtual void setImageProvider(std::shared_ptr<AnimationImageProvider> provider) = 0;
    virtual std::shared_ptr<AnimationKeypathTextProvider> textProvider() const = 0;
    virtual void setTextProvider(std::shared_ptr<AnimationKeypathTextProvider> provider) = 0;
    virtual std::shared_ptr<AnimationFontProvider> fontProvider() const = 0;
    virtual void setFontProvider(std::shared_ptr<AnimationFontProvider> provider) = 0;

    // The one animation key this layer keeps its playback animation under; nothing
    // leaves the key to the owner.
    virtual std::optional<std::string> playbackAnimationKey() const = 0;
    // The layer's own answer to whether playback runs; nothing means unknown, and the
    // owner then looks for the playback animation.
    virtual std::optional<bool> isAnimationPlayingIfKnown() const = 0;

    // Fetches every image again from the image provider.
    virtual void refreshImages() = 0;
    // What the engine's texts have said about being cut, handed on to the
    // engine the automatic option falls back to so that neither says it
    // again; none for an engine that lays out no text.
    virtual std::shared_ptr<platform::text::TextCutReports> textCutReports() const { return nullptr; }
    // Draws the current frame again with every node updated.
    virtual void redrawCurrentFrame() = 0;

    virtual void logAllKeypaths() = 0;
    virtual std::vector<std::string> collectAllKeypaths() = 0;
    virtual void installValueProvider(std::shared_ptr<AnyValueProvider> provider, const AnimationKeypath& keypath) = 0;
    virtual void uninstallValueProvider(const AnimationKeypath& keypath) = 0;
    // A std::any of the property's value type, empty when there is none.
    virtual std::any valueAtKeypath(const AnimationKeypath& keypath, std::optional<double> atFrame) = 0;
    virtual std::any unoverriddenValueAtKeypath(const AnimationKeypath& keypath, std::optional<double> atFrame) = 0;
    virtual std::shared_ptr<platform::compositor::Layer> layerForKeypath(const AnimationKeypath& keypath) = 0;
    virtual std::optional<std::vector<std::shared_ptr<AnimatorNode>>> nodesAtKeypath(
        const AnimationKeypath& keypath) = 0;

protected:
    // For presentation copies of the engines' root layers. A copy has warned of
    // no render limit yet.
    RootAnimationLayer(const RootAnimationLayer& layer)
        : platform::compositor::Layer(layer), lottieAnimationLayer_(layer.lottieAnimationLayer_) {}

    // The engines' answer to a render limit met under them: a warning through
    // `logger`, the first time this layer hears of the limit, and the report
    // taken.
    bool warnOfRenderLimitOnce(const LottieLogger& logger, const std::string& message, std::string_view file,
                               unsigned line) {
        if (reportedRenderLimits_.insert(message).second) logger.warn([message] { return message; }, file, line);
        return true;
    }

private:
    std::weak_ptr<LottieAnimationLayer> lottieAnimationLayer_;
    std::set<std::string> reportedRenderLimits_;
};

}  // namespace lottie
