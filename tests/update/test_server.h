// A small HTTP server for tests: one thread, a listening socket on 127.0.0.1 with a port of
// the system's choice, one scripted reply per connection. It accepts a bounded number of
// connections and stops by itself after a few seconds at most.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace fw::testing {

struct Reply {
  std::string bytes;
  bool hold = false;  // send nothing more and keep the connection open until the server stops
};

class TestServer {
 public:
  // `handler` gets the request head and the zero-based connection number.
  using Handler = std::function<Reply(const std::string& request, int index)>;

  explicit TestServer(Handler handler, int maxConnections = 20) : handler_(std::move(handler)) {
    listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    ::bind(listen_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::listen(listen_, 8);
    socklen_t len = sizeof a;
    ::getsockname(listen_, reinterpret_cast<sockaddr*>(&a), &len);
    port_ = ntohs(a.sin_port);
    thread_ = std::thread([this, maxConnections] { Serve(maxConnections); });
  }
  ~TestServer() {
    stop_ = true;
    thread_.join();
    ::close(listen_);
  }
  TestServer(const TestServer&) = delete;
  TestServer& operator=(const TestServer&) = delete;

  int port() const { return port_; }
  std::string url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }
  std::vector<std::string> requests() {
    std::lock_guard lock(mutex_);
    return requests_;
  }

 private:
  bool Expired() const { return stop_ || std::chrono::steady_clock::now() > end_; }

  void Serve(int maxConnections) {
    for (int index = 0; index < maxConnections && !Expired();) {
      pollfd p{listen_, POLLIN, 0};
      if (::poll(&p, 1, 20) <= 0) continue;
      int fd = ::accept(listen_, nullptr, nullptr);
      if (fd < 0) continue;
      std::string request = ReadHead(fd);
      {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
      }
      Reply reply = handler_(request, index++);
      ::send(fd, reply.bytes.data(), reply.bytes.size(), MSG_NOSIGNAL);
      while (reply.hold && !Expired()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
      ::close(fd);
    }
  }

  std::string ReadHead(int fd) {
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos && !Expired()) {
      pollfd p{fd, POLLIN, 0};
      if (::poll(&p, 1, 20) <= 0) continue;
      ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
      if (n <= 0) break;
      head.append(buffer, static_cast<std::size_t>(n));
    }
    return head;
  }

  Handler handler_;
  int listen_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::chrono::steady_clock::time_point end_ =
      std::chrono::steady_clock::now() + std::chrono::seconds(10);
  std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

// A reply that always gives the same bytes.
inline TestServer::Handler Always(std::string bytes) {
  return [bytes](const std::string&, int) { return Reply{bytes}; };
}

}  // namespace fw::testing
