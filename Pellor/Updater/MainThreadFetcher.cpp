#include "Pellor/Updater/MainThreadFetcher.h"

#include <QCoreApplication>
#include <algorithm>

namespace pellor {

using platform::foundation::URLError;

QString FetchResponse::failureDescription() const {
    if (error) {
        switch (error->code) {
            case URLError::Code::timedOut:
                return QCoreApplication::translate("Updater", "The update server did not answer in time.");
            case URLError::Code::cannotConnect:
                return QCoreApplication::translate("Updater", "The update server could not be reached.");
            default:
                return QCoreApplication::translate("Updater", "The transfer failed: %1")
                    .arg(QString::fromStdString(error->message));
        }
    }
    return QCoreApplication::translate("Updater", "The update server answered with status %1.").arg(statusCode);
}

MainThreadFetcher::MainThreadFetcher(std::chrono::seconds timeout)
    : session_(std::make_unique<platform::foundation::URLSession>()) {
    session_->setTimeout(static_cast<long>(std::max<std::chrono::seconds::rep>(timeout.count(), 1)));
}

MainThreadFetcher::~MainThreadFetcher() {
    // Cancels and joins the transfers first: none may post to the context once
    // it is gone.
    session_.reset();
}

void MainThreadFetcher::fetchThen(const QUrl& url, std::function<std::function<void()>(FetchResponse)> work) {
    QObject* context = &mainThreadContext_;
    auto task = session_->dataTask(
        url.toString(QUrl::FullyEncoded).toStdString(),
        [context, work = std::move(work)](std::optional<platform::foundation::Data> body,
                                          std::optional<platform::foundation::URLResponse> response,
                                          std::optional<URLError> error) {
            FetchResponse fetched;
            if (body) fetched.body = QByteArray(reinterpret_cast<const char*>(body->data()), qsizetype(body->size()));
            fetched.statusCode = response ? response->statusCode : 0;
            fetched.error = std::move(error);
            // A cancelled transfer belongs to a fetcher that is going away.
            if (fetched.error && fetched.error->code == URLError::Code::cancelled) return;
            std::function<void()> onMain = work(std::move(fetched));
            QMetaObject::invokeMethod(context, std::move(onMain), Qt::QueuedConnection);
        });
    task->resume();
}

}  // namespace pellor
