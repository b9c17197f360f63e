#include "tests/Support/LocalHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace testsupport {

LocalHttpServer::LocalHttpServer() {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    if (listener_ < 0) throw std::runtime_error("socket");
    int yes = 1;
    ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listener_, 16) != 0) {
        ::close(listener_);
        throw std::runtime_error("bind/listen on 127.0.0.1");
    }
    socklen_t length = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

LocalHttpServer::~LocalHttpServer() {
    stopping_ = true;
    thread_.join();
    for (int connection : heldConnections_) ::close(connection);
    ::close(listener_);
}

void LocalHttpServer::setRoute(const std::string& path, Route route) {
    std::lock_guard guard(lock_);
    routes_[path] = std::move(route);
}

std::string LocalHttpServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void LocalHttpServer::serve() {
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, 20) <= 0) continue;
        int connection = ::accept(listener_, nullptr, nullptr);
        if (connection < 0) continue;
        if (answer(connection)) {
            ::close(connection);
        } else {
            std::lock_guard guard(lock_);
            heldConnections_.push_back(connection);
        }
    }
}

bool LocalHttpServer::answer(int connection) {
    std::string request;
    char buffer[1024];
    // Read the request head, for at most two seconds.
    for (int i = 0; i < 100 && request.find("\r\n\r\n") == std::string::npos; ++i) {
        pollfd readable{connection, POLLIN, 0};
        if (::poll(&readable, 1, 20) <= 0) continue;
        ssize_t count = ::recv(connection, buffer, sizeof buffer, 0);
        if (count <= 0) return true;
        request.append(buffer, static_cast<std::size_t>(count));
    }
    ++requests_;
    auto start = request.find(' ');
    auto end = request.find(' ', start + 1);
    std::string path = start == std::string::npos ? "/" : request.substr(start + 1, end - start - 1);
    Route route{404, "not found", false};
    {
        std::lock_guard guard(lock_);
        if (auto it = routes_.find(path); it != routes_.end()) route = it->second;
    }
    if (route.neverAnswer) return false;
    if (route.closeWithoutAnswer) return true;
    std::string response = "HTTP/1.0 " + std::to_string(route.status) + " Status\r\nContent-Type: application/json\r\n" +
                           "Content-Length: " + std::to_string(route.body.size()) + "\r\nConnection: close\r\n\r\n" +
                           route.body;
    std::size_t sent = 0;
    while (sent < response.size()) {
        ssize_t count = ::send(connection, response.data() + sent, response.size() - sent, MSG_NOSIGNAL);
        if (count <= 0) return true;
        sent += static_cast<std::size_t>(count);
    }
    return true;
}

}  // namespace testsupport
