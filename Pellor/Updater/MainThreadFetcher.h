#pragma once
// Fetches addresses with the Foundation URL session (libcurl, on a thread per
// transfer) and hands each result to the main thread through the Qt event
// loop, so that nothing the updater does waits on the network. A transfer that
// makes no progress for the timeout ends with a timedOut error.
//
// Owned by the updater, made and used on the main thread. Destroying it
// cancels the transfers still running and waits for their threads; results not
// yet delivered are dropped.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "Platform/Foundation/URLSession.h"

namespace pellor {

struct FetchResponse {
    std::optional<QByteArray> body;
    long statusCode = 0;
    std::optional<platform::foundation::URLError> error;

    // An answer with a status of 200 to 299.
    bool succeeded() const { return body && !error && statusCode >= 200 && statusCode < 300; }
    // A sentence for the user about why the fetch failed.
    QString failureDescription() const;
};

class MainThreadFetcher {
public:
    explicit MainThreadFetcher(std::chrono::seconds timeout);
    ~MainThreadFetcher();
    MainThreadFetcher(const MainThreadFetcher&) = delete;
    MainThreadFetcher& operator=(const MainThreadFetcher&) = delete;

    // Calls `work` with the response on the transfer's own thread, for work too
    // slow for the main thread (writing a download); what it returns then runs
    // on the main thread.
    void fetchThen(const QUrl& url, std::function<std::function<void()>(FetchResponse)> work);

private:
    // Events for the main thread are posted to this object; it lives there.
    QObject mainThreadContext_;
    std::unique_ptr<platform::foundation::URLSession> session_;
};

}  // namespace pellor
