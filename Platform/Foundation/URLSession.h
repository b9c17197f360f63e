#pragma once
// Fetching the body of an address, standing in for the platform's URL
// sessions. Built on libcurl. A session runs each started task on a thread of
// its own and calls the task's completion there, with the body (any status,
// 404 included), the response, or an error; never more than once, and not at
// all for a task that was never resumed. Cancelling makes a running task end
// with a "cancelled" error. Destroying a session cancels its tasks and waits
// for them; the shared session lives for the whole process.

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Platform/Foundation/Data.h"

namespace platform::foundation {

struct URLResponse {
    std::string url;
    long statusCode = 0;
};

struct URLError {
    enum class Code { cancelled, badURL, cannotConnect, networkConnectionLost, timedOut, tooLarge, other };
    Code code = Code::other;
    std::string message;
};

class URLSession;

class URLSessionDataTask : public std::enable_shared_from_this<URLSessionDataTask> {
public:
    using Completion =
        std::function<void(std::optional<Data>, std::optional<URLResponse>, std::optional<URLError>)>;

    // Starts the transfer; a second call does nothing.
    void resume();
    void cancel();
    const std::string& url() const { return url_; }

private:
    friend class URLSession;
    URLSessionDataTask(URLSession& session, std::string url, Completion completion)
        : session_(&session), url_(std::move(url)), completion_(std::move(completion)) {}
    void run();

    URLSession* session_;
    std::string url_;
    Completion completion_;
    std::atomic<bool> started_{false};
    std::atomic<bool> cancelled_{false};
};

class URLSession {
public:
    // Bodies larger than this end the task with a tooLarge error.
    static constexpr std::size_t defaultMaximumBodySize = 256 * 1024 * 1024;

    URLSession();
    ~URLSession();
    URLSession(const URLSession&) = delete;
    URLSession& operator=(const URLSession&) = delete;

    static URLSession& shared();

    std::shared_ptr<URLSessionDataTask> dataTask(std::string url, URLSessionDataTask::Completion completion);

    // Seconds before a transfer that makes no progress is given up.
    void setTimeout(long seconds) { timeoutSeconds_ = seconds; }
    void setMaximumBodySize(std::size_t bytes) { maximumBodySize_ = bytes; }

private:
    friend class URLSessionDataTask;
    void start(const std::shared_ptr<URLSessionDataTask>& task);

    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> finished;
    };
    // Joins the workers whose task has ended; called with the lock held.
    void reapFinishedWorkers();

    std::mutex lock_;
    std::vector<Worker> workers_;
    std::vector<std::weak_ptr<URLSessionDataTask>> tasks_;
    std::atomic<long> timeoutSeconds_{30};
    std::atomic<std::size_t> maximumBodySize_{defaultMaximumBodySize};
};

}  // namespace platform::foundation
