#include "Lottie/Playback/Engine/CoreAnimationLayerFactory.h"

#include "Lottie/CoreAnimation/CoreAnimationLayer.h"

namespace lottie {

namespace {

// The library's own Core Animation engine, until a maker is installed in its place.
CoreAnimationLayerFactory::Maker& installedMaker() {
    static CoreAnimationLayerFactory::Maker maker =
        [](const CoreAnimationLayerRequest& request) -> std::shared_ptr<CoreAnimationRootLayer> {
        return CoreAnimationLayer::make(request);
    };
    return maker;
}

}  // namespace

std::shared_ptr<CoreAnimationRootLayer> CoreAnimationLayerFactory::make(const CoreAnimationLayerRequest& request) {
    if (const Maker& maker = installedMaker()) return maker(request);
    // Thrown whatever the tracker's mode: without the engine there is no layer to
    // keep tracking issues on.
    throw CompatibilityTracker::Error(unavailableIssue());
}

void CoreAnimationLayerFactory::install(Maker maker) { installedMaker() = std::move(maker); }

bool CoreAnimationLayerFactory::isEngineAvailable() { return static_cast<bool>(installedMaker()); }

CompatibilityIssue CoreAnimationLayerFactory::unavailableIssue() {
    return {"The Core Animation rendering engine is not available in this build", "Rendering engine"};
}

}  // namespace lottie
