#include "Platform/Foundation/URLSession.h"

#include <curl/curl.h>

namespace platform::foundation {

namespace {

struct Transfer {
    Data body;
    std::size_t limit;
    bool overLimit = false;
    const std::atomic<bool>* cancelled;
};

std::size_t receive(char* bytes, std::size_t size, std::size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    std::size_t length = size * count;
    if (transfer->body.size() + length > transfer->limit) {
        transfer->overLimit = true;
        return 0;  // makes curl stop with a write error
    }
    transfer->body.insert(transfer->body.end(), reinterpret_cast<std::uint8_t*>(bytes),
                          reinterpret_cast<std::uint8_t*>(bytes) + length);
    return length;
}

int progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* transfer = static_cast<Transfer*>(user);
    return transfer->cancelled->load() ? 1 : 0;
}

URLError::Code codeFor(CURLcode result) {
    switch (result) {
        case CURLE_UNSUPPORTED_PROTOCOL:
        case CURLE_URL_MALFORMAT: return URLError::Code::badURL;
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_CONNECT: return URLError::Code::cannotConnect;
        case CURLE_OPERATION_TIMEDOUT: return URLError::Code::timedOut;
        case CURLE_GOT_NOTHING:
        case CURLE_RECV_ERROR:
        case CURLE_SEND_ERROR:
        case CURLE_PARTIAL_FILE: return URLError::Code::networkConnectionLost;
        default: return URLError::Code::other;
    }
}

void initialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

URLSession::URLSession() { initialiseCurlOnce(); }

URLSession::~URLSession() {
    std::vector<Worker> workers;
    {
        std::lock_guard guard(lock_);
        for (auto& weak : tasks_) {
            if (auto task = weak.lock()) task->cancel();
        }
        workers.swap(workers_);
    }
    for (auto& worker : workers) worker.thread.join();
}

URLSession& URLSession::shared() {
    // Never destroyed: tasks may still be finishing while the process exits.
    static URLSession* session = new URLSession();
    return *session;
}

std::shared_ptr<URLSessionDataTask> URLSession::dataTask(std::string url, URLSessionDataTask::Completion completion) {
    return std::shared_ptr<URLSessionDataTask>(new URLSessionDataTask(*this, std::move(url), std::move(completion)));
}

void URLSession::start(const std::shared_ptr<URLSessionDataTask>& task) {
    std::lock_guard guard(lock_);
    reapFinishedWorkers();
    tasks_.push_back(task);
    auto finished = std::make_shared<std::atomic<bool>>(false);
    workers_.push_back(Worker{std::thread([task, finished] {
                                  task->run();
                                  *finished = true;
                              }),
                              finished});
}

void URLSession::reapFinishedWorkers() {
    for (auto it = workers_.begin(); it != workers_.end();) {
        if (*it->finished) {
            it->thread.join();
            it = workers_.erase(it);
        } else {
            ++it;
        }
    }
    std::erase_if(tasks_, [](const std::weak_ptr<URLSessionDataTask>& task) { return task.expired(); });
}

void URLSessionDataTask::resume() {
    if (started_.exchange(true)) return;
    session_->start(shared_from_this());
}

void URLSessionDataTask::cancel() { cancelled_ = true; }

void URLSessionDataTask::run() {
    Transfer transfer{{}, session_->maximumBodySize_.load(), false, &cancelled_};
    std::optional<URLError> error;
    std::optional<URLResponse> response;
    if (cancelled_) {
        error = URLError{URLError::Code::cancelled, "cancelled"};
    } else {
        CURL* curl = curl_easy_init();
        char message[CURL_ERROR_SIZE] = {0};
        curl_easy_setopt(curl, CURLOPT_URL, url_.c_str());
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, receive);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, progress);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
        curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, session_->timeoutSeconds_.load());
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, session_->timeoutSeconds_.load());
        curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, message);
        CURLcode result = curl_easy_perform(curl);
        if (result == CURLE_OK) {
            URLResponse received;
            received.url = url_;
            curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &received.statusCode);
            response = received;
        } else if (cancelled_ || result == CURLE_ABORTED_BY_CALLBACK) {
            error = URLError{URLError::Code::cancelled, "cancelled"};
        } else if (transfer.overLimit) {
            error = URLError{URLError::Code::tooLarge, "the body is larger than the session accepts"};
        } else {
            error = URLError{codeFor(result), message[0] ? message : curl_easy_strerror(result)};
        }
        curl_easy_cleanup(curl);
    }
    auto completion = std::move(completion_);
    if (error) completion(std::nullopt, std::nullopt, error);
    else completion(std::move(transfer.body), response, std::nullopt);
}

}  // namespace platform::foundation
