#include "Lottie/DotLottie/DotLottieLoadTask.h"

#include <atomic>
#include <stdexcept>

#include "Platform/Foundation/DispatchQueue.h"

namespace lottie {

DotLottieLoadTask::Completion DotLottieLoadTask::checked(Completion completion) {
    if (!completion) throw std::invalid_argument("DotLottieLoadTask: no completion");
    return completion;
}

std::shared_ptr<DotLottieLoadTask> DotLottieLoadTask::named(const std::string& name,
                                                            const platform::foundation::Bundle& bundle,
                                                            const std::optional<std::string>& subdirectory,
                                                            std::shared_ptr<DotLottieCacheProvider> cache,
                                                            Completion completion) {
    DotLottieFile::named(name, bundle, subdirectory, std::move(cache), dotLottieQueue(), checked(std::move(completion)));
    return std::make_shared<DotLottieLoadTask>();
}

std::shared_ptr<DotLottieLoadTask> DotLottieLoadTask::loadedFromFilepath(const std::string& filepath,
                                                                         std::shared_ptr<DotLottieCacheProvider> cache,
                                                                         Completion completion) {
    DotLottieFile::loadedFromFilepath(filepath, std::move(cache), dotLottieQueue(), checked(std::move(completion)));
    return std::make_shared<DotLottieLoadTask>();
}

std::shared_ptr<DotLottieLoadTask> DotLottieLoadTask::asset(const std::string& name,
                                                            const platform::foundation::Bundle& bundle,
                                                            std::shared_ptr<DotLottieCacheProvider> cache,
                                                            Completion completion) {
    DotLottieFile::asset(name, bundle, std::move(cache), dotLottieQueue(), checked(std::move(completion)));
    return std::make_shared<DotLottieLoadTask>();
}

std::shared_ptr<DotLottieLoadTask> DotLottieLoadTask::loadedFromData(platform::foundation::Data data,
                                                                     const std::string& filename,
                                                                     platform::foundation::DispatchQueue& queue,
                                                                     Completion completion) {
    DotLottieFile::loadedFromData(std::move(data), filename, queue, checked(std::move(completion)));
    return std::make_shared<DotLottieLoadTask>();
}

std::shared_ptr<DotLottieLoadTask> DotLottieLoadTask::loadedFromURL(const std::string& url,
                                                                    const std::shared_ptr<LottieURLSession>& session,
                                                                    std::shared_ptr<DotLottieCacheProvider> cache,
                                                                    Completion completion) {
    if (!session) throw std::invalid_argument("DotLottieLoadTask::loadedFromURL: no URL session");
    completion = checked(std::move(completion));
    auto task = std::make_shared<DotLottieLoadTask>();
    // The loader answers a cache hit from inside the call; that answer is sent
    // through the main run loop like every other result.
    auto starting = std::make_shared<std::atomic<bool>>(true);
    auto deliver = [starting, completion = std::move(completion)](DotLottieResult result) {
        if (*starting) {
            platform::foundation::DispatchQueue::main().async([completion, result] { completion(result); });
        } else {
            completion(std::move(result));
        }
    };
    // The lock is held while the transfer starts, so that a cancel() from another
    // thread either finds it or is seen before it could be missed.
    std::lock_guard guard(task->lock_);
    task->dataTask_ = DotLottieFile::loadedFromURL(url, *session, std::move(cache), std::move(deliver));
    *starting = false;
    if (task->cancelled_ && task->dataTask_) task->dataTask_->cancel();
    return task;
}

void DotLottieLoadTask::cancel() {
    std::shared_ptr<LottieURLDataTask> running;
    {
        std::lock_guard guard(lock_);
        if (cancelled_) return;
        cancelled_ = true;
        running = dataTask_;
    }
    if (running) running->cancel();
}

bool DotLottieLoadTask::isCancelled() const {
    std::lock_guard guard(lock_);
    return cancelled_;
}

}  // namespace lottie
