#include "Lottie/Playback/Loading/AnimationLoadTask.h"

#include <stdexcept>

#include "Platform/Foundation/DispatchQueue.h"

namespace lottie {

std::shared_ptr<AnimationLoadTask> AnimationLoadTask::loadedFrom(const std::string& url,
                                                                 const std::shared_ptr<LottieURLSession>& session,
                                                                 const std::shared_ptr<AnimationCacheProvider>& cache,
                                                                 Completion completion) {
    if (!session) throw std::invalid_argument("AnimationLoadTask::loadedFrom: no URL session");
    if (!completion) throw std::invalid_argument("AnimationLoadTask::loadedFrom: no completion");
    auto task = std::make_shared<AnimationLoadTask>();
    if (cache) {
        if (auto hit = cache->animationForKey(url)) {
            // Delivered like every other result, never from inside this call.
            platform::foundation::DispatchQueue::main().async(
                [hit, completion = std::move(completion)] { completion(hit); });
            return task;
        }
    }
    // The loader answers a cache hit from inside the call; one that appeared since
    // the look-up above is sent through the main run loop like any other result.
    task->transfer_.start<std::shared_ptr<const LottieAnimation>>(std::move(completion), [&](Completion deliver) {
        return LottieAnimation::loadFromURL(url, *session, std::move(deliver), cache);
    });
    return task;
}

void AnimationLoadTask::cancel() { transfer_.cancel(); }

bool AnimationLoadTask::isCancelled() const { return transfer_.isCancelled(); }

}  // namespace lottie
