#pragma once
// A small HTTP/1.0 server on 127.0.0.1 for tests of code that fetches
// addresses. Each path answers with a fixed status and body, closes the
// connection without answering, or keeps it open without ever answering (until
// the server is destroyed), as a server that hangs does. It serves on its own
// thread until destroyed.

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

class LocalHttpServer {
public:
    struct Route {
        int status = 200;
        std::string body;
        bool closeWithoutAnswer = false;
        bool neverAnswer = false;
    };

    LocalHttpServer();
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    void setRoute(const std::string& path, Route route);
    // "http://127.0.0.1:<port><path>"
    std::string url(const std::string& path) const;
    int requestCount() const { return requests_; }

private:
    void serve();
    // False when the connection is to stay open, unanswered.
    bool answer(int connection);

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> requests_{0};
    std::mutex lock_;
    std::map<std::string, Route> routes_;
    std::vector<int> heldConnections_;
    std::thread thread_;
};

}  // namespace testsupport
