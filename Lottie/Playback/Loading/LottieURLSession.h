#pragma once
// What the address loaders need of a URL session: start a data task whose
// completion receives the body, the response and an error. The platform
// session conforms through PlatformLottieURLSession; tests and hosts may
// supply their own.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Platform/Foundation/URLSession.h"

namespace lottie {

class LottieURLDataTask {
public:
    virtual ~LottieURLDataTask() = default;
    virtual void resume() = 0;
    virtual void cancel() = 0;
};

class LottieURLSession {
public:
    using Completion = platform::foundation::URLSessionDataTask::Completion;

    virtual ~LottieURLSession() = default;
    virtual std::shared_ptr<LottieURLDataTask> dataTask(const std::string& url, Completion completion) = 0;
};

// The platform's URL session seen as a LottieURLSession; values pass through unchanged.
class PlatformLottieURLSession final : public LottieURLSession {
public:
    explicit PlatformLottieURLSession(platform::foundation::URLSession& session) : session_(&session) {}
    std::shared_ptr<LottieURLDataTask> dataTask(const std::string& url, Completion completion) override;

private:
    platform::foundation::URLSession* session_;
};

// The process-wide session slot: the platform's shared session from first use.
std::shared_ptr<LottieURLSession> defaultURLSession();
void setDefaultURLSession(std::shared_ptr<LottieURLSession> session);

}  // namespace lottie
