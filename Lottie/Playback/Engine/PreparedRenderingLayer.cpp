#include "Lottie/Playback/Engine/PreparedRenderingLayer.h"

#include "Lottie/MainThread/MainThreadAnimationLayer.h"
#include "Lottie/Playback/Engine/CompatibilityTracker.h"
#include "Lottie/Playback/Engine/CoreAnimationLayerFactory.h"
#include "Lottie/Playback/Providers/CachedImageProvider.h"

namespace lottie {

bool PreparedRenderingLayer::Request::sameBuildAs(const Request& other) const {
    return animation == other.animation && imageProvider == other.imageProvider &&
           textProvider == other.textProvider && fontProvider == other.fontProvider && engine == other.engine &&
           maskAnimationToBounds == other.maskAnimationToBounds && logger == other.logger;
}

std::shared_ptr<PreparedRenderingLayer> PreparedRenderingLayer::prepare(Request request) {
    if (!request.animation || !request.imageProvider || !request.textProvider || !request.fontProvider ||
        !request.logger) {
        return nullptr;
    }
    std::shared_ptr<PreparedRenderingLayer> prepared(new PreparedRenderingLayer(std::move(request)));
    // The set-ups made here are the first phases of the document's opening,
    // which the animation layer that adopts them goes on with.
    prepared->opening_ = std::make_shared<platform::graphics::OpeningDeadline>(prepared->request_.animation->decodingSeconds);
    const platform::graphics::OpeningDeadline::Scope opening(prepared->opening_);
    const RenderingEngineOption& engine = prepared->request_.engine;
    if (engine.isAutomatic() || engine.engine() == RenderingEngine::coreAnimation) {
        prepared->buildCoreAnimationLayer();
    }
    if (engine.engine() == RenderingEngine::mainThread ||
        (engine.isAutomatic() && !prepared->coreAnimationLayer_)) {
        prepared->buildMainThreadLayer();
    }
    return prepared;
}

void PreparedRenderingLayer::buildCoreAnimationLayer() {
    const Request& r = request_;
    // In abort mode the automatic option's build stops at the first issue.
    auto tracker = std::make_shared<CompatibilityTracker>(
        r.engine.isAutomatic() ? CompatibilityTracker::Mode::abort : CompatibilityTracker::Mode::track, r.logger);
    try {
        auto layer =
            CoreAnimationLayerFactory::make({r.animation, wrappedInImageCache(r.imageProvider, r.animation),
                                             r.textProvider, r.fontProvider, r.maskAnimationToBounds, tracker, r.logger});
        // The keyframes of its first display pass are worked out here too.
        if (layer) layer->deriveAhead();
        coreAnimationLayer_ = std::move(layer);
    } catch (const CompatibilityTracker::Error& error) {
        if (r.engine.isAutomatic()) {
            compatibilityIssue_ = error.issue();
        } else {
            unexpectedError_ = error.what();
        }
    } catch (const std::exception& error) {
        unexpectedError_ = error.what();
    }
}

void PreparedRenderingLayer::buildMainThreadLayer() {
    const Request& r = request_;
    try {
        auto layer = MainThreadAnimationLayer::make(r.animation, wrappedInImageCache(r.imageProvider, r.animation),
                                                    r.textProvider, r.fontProvider, r.maskAnimationToBounds, r.logger);
        // So is what its first display pass works out from the document alone.
        layer->showFirstFrameAhead();
        mainThreadLayer_ = std::move(layer);
    } catch (const std::exception&) {
        // Left to the animation layer, which builds it again and meets the
        // failure where it always has.
    }
}

std::shared_ptr<RootAnimationLayer> PreparedRenderingLayer::takeCoreAnimationLayer() {
    return std::exchange(coreAnimationLayer_, nullptr);
}

std::shared_ptr<RootAnimationLayer> PreparedRenderingLayer::takeMainThreadLayer() {
    return std::exchange(mainThreadLayer_, nullptr);
}

}  // namespace lottie
