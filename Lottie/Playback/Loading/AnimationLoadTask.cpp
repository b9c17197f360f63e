#include "Lottie/Playback/Loading/AnimationLoadTask.h"

#include <atomic>
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
    auto starting = std::make_shared<std::atomic<bool>>(true);
    auto deliver = [starting, completion = std::move(completion)](std::shared_ptr<const LottieAnimation> animation) {
        if (*starting) {
            platform::foundation::DispatchQueue::main().async([completion, animation] { completion(animation); });
        } else {
            completion(std::move(animation));
        }
    };
    // The lock is held while the transfer starts, so that a cancel() from another
    // thread either finds it or is seen before it could be missed.
    std::lock_guard guard(task->lock_);
    task->dataTask_ = LottieAnimation::loadFromURL(url, *session, std::move(deliver), cache);
    *starting = false;
    if (task->cancelled_ && task->dataTask_) task->dataTask_->cancel();
    return task;
}

void AnimationLoadTask::cancel() {
    std::shared_ptr<LottieURLDataTask> running;
    {
        std::lock_guard guard(lock_);
        if (cancelled_) return;
        cancelled_ = true;
        running = dataTask_;
    }
    if (running) running->cancel();
}

bool AnimationLoadTask::isCancelled() const {
    std::lock_guard guard(lock_);
    return cancelled_;
}

}  // namespace lottie
