#pragma once
// A URL session driven by hand for the loader tests: each transfer ends exactly
// when a test says, with the bytes or the error it gives, so that cancelling and
// racing transfers can be checked without a server that holds a response open.

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Lottie/Playback/Loading/LottieURLSession.h"

namespace lottietest {

class ManualURLSession final : public lottie::LottieURLSession {
public:
    class Task final : public lottie::LottieURLDataTask {
    public:
        explicit Task(std::string url) : url(std::move(url)) {}

        void resume() override { resumed = true; }
        // A cancelled transfer ends with an error, once.
        void cancel() override {
            if (finished) return;
            cancelled = true;
            finish(std::nullopt,
                   platform::foundation::URLError{platform::foundation::URLError::Code::cancelled, "cancelled"});
        }
        void finish(std::optional<platform::foundation::Data> data,
                    std::optional<platform::foundation::URLError> error) {
            finished = true;
            completion(std::move(data), platform::foundation::URLResponse{url, 200}, std::move(error));
        }

        std::string url;
        Completion completion;
        bool resumed = false;
        bool cancelled = false;
        bool finished = false;
    };

    std::shared_ptr<lottie::LottieURLDataTask> dataTask(const std::string& url, Completion completion) override {
        auto task = std::make_shared<Task>(url);
        task->completion = std::move(completion);
        tasks.push_back(task);
        return task;
    }

    std::vector<std::shared_ptr<Task>> tasks;
};

}  // namespace lottietest
