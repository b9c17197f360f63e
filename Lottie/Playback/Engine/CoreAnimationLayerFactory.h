#pragma once
// Where the animation layer gets a Core Animation root layer from: the
// library's own engine, or a maker installed in its place. With an empty maker
// installed every request fails with the compatibility issue "not available",
// so the automatic engine choice falls back to the main-thread engine at once
// and an explicit request for this engine reports the failure and shows
// nothing. Process-wide; main thread only.

#include <functional>
#include <memory>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/Engine/CompatibilityTracker.h"
#include "Lottie/Playback/Engine/CoreAnimationRootLayer.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Playback/Providers/AnimationFontProvider.h"
#include "Lottie/Playback/Providers/AnimationImageProvider.h"
#include "Lottie/Playback/Providers/AnimationKeypathTextProvider.h"

namespace lottie {

// Everything a Core Animation root layer is built from.
struct CoreAnimationLayerRequest {
    std::shared_ptr<const LottieAnimation> animation;
    // Already wrapped in an image cache.
    std::shared_ptr<AnimationImageProvider> imageProvider;
    std::shared_ptr<AnimationKeypathTextProvider> textProvider;
    std::shared_ptr<AnimationFontProvider> fontProvider;
    bool maskAnimationToBounds = true;
    std::shared_ptr<CompatibilityTracker> compatibilityTracker;
    std::shared_ptr<LottieLogger> logger;
};

class CoreAnimationLayerFactory {
public:
    // Builds the whole layer tree; throws CompatibilityTracker::Error (in abort mode)
    // or any other exception for a set-up that fails.
    using Maker = std::function<std::shared_ptr<CoreAnimationRootLayer>(const CoreAnimationLayerRequest&)>;

    CoreAnimationLayerFactory() = delete;

    static std::shared_ptr<CoreAnimationRootLayer> make(const CoreAnimationLayerRequest& request);
    // An empty maker makes the engine not available (CoreAnimationLayer::install
    // puts the library's own back).
    static void install(Maker maker);
    static bool isEngineAvailable();

    // The issue reported while no engine is installed.
    static CompatibilityIssue unavailableIssue();
};

}  // namespace lottie
