#pragma once
// The asynchronous form of loading an animation from an address: start it, get
// the animation (or nothing) once on the main run loop, and cancel it meanwhile if
// the caller no longer wants it. A cached address makes no request. Cancelling
// stops the transfer; the callback still comes, with nothing, since a cancelled
// transfer reports an error. Cancelling after the callback changes nothing.
//
// Returned to the caller, who may drop it: the transfer and its callback go on.
// Start and cancel from any thread; the callback always runs on the main thread,
// never from inside loadedFrom().

#include <functional>
#include <memory>
#include <string>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/Cache/AnimationCacheProvider.h"
#include "Lottie/Playback/Loading/CancellableTransfer.h"
#include "Lottie/Playback/Loading/LottieURLSession.h"

namespace lottie {

class AnimationLoadTask {
public:
    using Completion = std::function<void(std::shared_ptr<const LottieAnimation>)>;

    // Throws std::invalid_argument for a missing session or callback.
    static std::shared_ptr<AnimationLoadTask> loadedFrom(const std::string& url,
                                                         const std::shared_ptr<LottieURLSession>& session,
                                                         const std::shared_ptr<AnimationCacheProvider>& cache,
                                                         Completion completion);

    void cancel();
    bool isCancelled() const;

    // Use loadedFrom(); public only for std::make_shared.
    AnimationLoadTask() = default;

private:
    CancellableTransfer transfer_;
};

}  // namespace lottie
