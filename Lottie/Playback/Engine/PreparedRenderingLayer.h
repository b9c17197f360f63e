#pragma once
// A rendering layer built ahead of the animation layer that shows it, on the
// thread that decoded its animation: building a large document's layer tree
// takes up to the set-up deadline, and done there it no longer holds the main
// thread. It builds what LottieAnimationLayer's engine construction builds for
// the same animation, providers and engine option (the automatic option's
// Core Animation tree, or the main-thread engine's when that build meets a
// compatibility issue or fails), works out there too what the Core Animation
// tree's first display pass derives from the document alone (deriveAhead), or
// the main-thread engine's first frame (showFirstFrameAhead), and records what
// that construction would report; the animation layer adopts it
// (LottieAnimationLayer::setAnimation) only when it still asks for that same
// build, and reports and finishes there, on the main thread, what needs the
// layer itself. A layer built here is touched by no other thread until it is
// handed over: made on any thread, then taken once on the main thread.

#include <memory>
#include <optional>
#include <string>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/Engine/CompatibilityIssue.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Playback/Providers/AnimationFontProvider.h"
#include "Lottie/Playback/Providers/AnimationImageProvider.h"
#include "Lottie/Playback/Providers/AnimationKeypathTextProvider.h"
#include "Lottie/Playback/RenderingEngineOption.h"
#include "Lottie/Playback/RootAnimationLayer.h"
#include "Platform/Graphics/OpeningDeadline.h"

namespace lottie {

class PreparedRenderingLayer {
public:
    // What the rendering layer is built from: what the animation layer holds
    // when it builds (its image provider unwrapped).
    struct Request {
        std::shared_ptr<const LottieAnimation> animation;
        std::shared_ptr<AnimationImageProvider> imageProvider;
        std::shared_ptr<AnimationKeypathTextProvider> textProvider;
        std::shared_ptr<AnimationFontProvider> fontProvider;
        RenderingEngineOption engine = RenderingEngineOption::automatic();
        bool maskAnimationToBounds = true;
        std::shared_ptr<LottieLogger> logger;

        // The same animation, providers and logger (by identity) and engine option.
        bool sameBuildAs(const Request& other) const;
    };

    // Builds on the calling thread; none without an animation or providers.
    static std::shared_ptr<PreparedRenderingLayer> prepare(Request request);

    const Request& request() const { return request_; }

    // The Core Animation engine's root layer (an explicit choice of it, or the
    // automatic option's, when it built without an issue), taken once.
    std::shared_ptr<RootAnimationLayer> takeCoreAnimationLayer();
    // The main-thread engine's (its explicit choice, or the automatic
    // option's fallback), taken once.
    std::shared_ptr<RootAnimationLayer> takeMainThreadLayer();
    // The compatibility issue that stopped the automatic option's Core
    // Animation build, which falls back with a warning.
    const std::optional<CompatibilityIssue>& compatibilityIssue() const { return compatibilityIssue_; }
    // The opening the layers were set up in.
    const std::shared_ptr<platform::graphics::OpeningDeadline>& opening() const { return opening_; }
    // What an unexpected failure of the Core Animation build said.
    const std::optional<std::string>& unexpectedError() const { return unexpectedError_; }

private:
    explicit PreparedRenderingLayer(Request request) : request_(std::move(request)) {}
    void buildCoreAnimationLayer();
    void buildMainThreadLayer();

    Request request_;
    std::shared_ptr<RootAnimationLayer> coreAnimationLayer_;
    std::shared_ptr<RootAnimationLayer> mainThreadLayer_;
    std::optional<CompatibilityIssue> compatibilityIssue_;
    std::optional<std::string> unexpectedError_;
    std::shared_ptr<platform::graphics::OpeningDeadline> opening_;
};

}  // namespace lottie
