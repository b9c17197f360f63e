#include "Lottie/DotLottie/DotLottieLoadTask.h"

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
    task->transfer_.start<DotLottieResult>(std::move(completion), [&](Completion deliver) {
        return DotLottieFile::loadedFromURL(url, *session, std::move(cache), std::move(deliver));
    });
    return task;
}

void DotLottieLoadTask::cancel() { transfer_.cancel(); }

bool DotLottieLoadTask::isCancelled() const { return transfer_.isCancelled(); }

}  // namespace lottie
