#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>

#include "Platform/Foundation/URLSession.h"
#include "tests/Support/LocalHttpServer.h"

using namespace platform::foundation;

namespace {

struct Outcome {
    std::optional<Data> data;
    std::optional<URLResponse> response;
    std::optional<URLError> error;
    int calls = 0;
};

// Runs one task to its end; the completion arrives on the session's thread.
Outcome fetch(URLSession& session, const std::string& url) {
    std::mutex lock;
    std::condition_variable done;
    Outcome outcome;
    auto task = session.dataTask(url, [&](std::optional<Data> data, std::optional<URLResponse> response,
                                          std::optional<URLError> error) {
        std::lock_guard guard(lock);
        outcome.data = std::move(data);
        outcome.response = std::move(response);
        outcome.error = std::move(error);
        ++outcome.calls;
        done.notify_all();
    });
    task->resume();
    task->resume();  // a second resume does nothing
    std::unique_lock guard(lock);
    done.wait_for(guard, std::chrono::seconds(20), [&] { return outcome.calls > 0; });
    return outcome;
}

std::string text(const Data& data) { return std::string(data.begin(), data.end()); }

TEST(URLSession, DeliversBodiesOfEveryStatusAndErrorsForBrokenTransfers) {
    testsupport::LocalHttpServer server;
    server.setRoute("/missing", {404, "gone", false});
    server.setRoute("/hangup", {200, "", true});
    URLSession session;

    Outcome missing = fetch(session, server.url("/missing"));
    ASSERT_TRUE(missing.data);
    EXPECT_EQ(text(*missing.data), "gone");
    EXPECT_EQ(missing.response->statusCode, 404);
    EXPECT_FALSE(missing.error);

    Outcome hangup = fetch(session, server.url("/hangup"));
    EXPECT_FALSE(hangup.data);
    ASSERT_TRUE(hangup.error);
    EXPECT_EQ(hangup.error->code, URLError::Code::networkConnectionLost);

    Outcome bad = fetch(session, "ftp://127.0.0.1/file");
    ASSERT_TRUE(bad.error);
    EXPECT_EQ(bad.error->code, URLError::Code::badURL);

    for (const Outcome* outcome : {&missing, &hangup, &bad}) EXPECT_EQ(outcome->calls, 1);
}

TEST(URLSession, RefusesBodiesOverItsLimitAndNeverRunsUnresumedTasks) {
    testsupport::LocalHttpServer server;
    server.setRoute("/big", {200, std::string(4096, 'x'), false});
    URLSession session;
    session.setMaximumBodySize(1024);
    Outcome big = fetch(session, server.url("/big"));
    ASSERT_TRUE(big.error);
    EXPECT_EQ(big.error->code, URLError::Code::tooLarge);

    int calls = 0;
    {
        auto task = session.dataTask(server.url("/big"), [&](auto, auto, auto) { ++calls; });
    }
    EXPECT_EQ(calls, 0);
}

}  // namespace
