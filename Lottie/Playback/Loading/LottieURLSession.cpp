#include "Lottie/Playback/Loading/LottieURLSession.h"

#include <mutex>

namespace lottie {

namespace {

class PlatformTask final : public LottieURLDataTask {
public:
    explicit PlatformTask(std::shared_ptr<platform::foundation::URLSessionDataTask> task) : task_(std::move(task)) {}
    void resume() override { task_->resume(); }
    void cancel() override { task_->cancel(); }

private:
    std::shared_ptr<platform::foundation::URLSessionDataTask> task_;
};

std::mutex& slotLock() {
    static std::mutex lock;
    return lock;
}

std::shared_ptr<LottieURLSession>& slot() {
    static std::shared_ptr<LottieURLSession> session =
        std::make_shared<PlatformLottieURLSession>(platform::foundation::URLSession::shared());
    return session;
}

}  // namespace

std::shared_ptr<LottieURLDataTask> PlatformLottieURLSession::dataTask(const std::string& url, Completion completion) {
    return std::make_shared<PlatformTask>(session_->dataTask(url, std::move(completion)));
}

std::shared_ptr<LottieURLSession> defaultURLSession() {
    std::lock_guard guard(slotLock());
    return slot();
}

void setDefaultURLSession(std::shared_ptr<LottieURLSession> session) {
    std::lock_guard guard(slotLock());
    slot() = std::move(session);
}

}  // namespace lottie
