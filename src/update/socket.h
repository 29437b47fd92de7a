// TCP over POSIX sockets for the HTTP client: name resolution, connection and transfer, each
// bounded in time. Every wait is cut into short slices between which the Host processes its
// pending window events, so the window never freezes while the network is slow.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "common/host.h"

struct addrinfo;

namespace fw::net {

using Clock = std::chrono::steady_clock;

// Owns one socket descriptor.
class Socket {
 public:
  Socket() = default;
  explicit Socket(int fd) : fd_(fd) {}
  ~Socket();
  Socket(Socket&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  Socket& operator=(Socket&& other) noexcept;
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  int fd() const { return fd_; }
  void close();

 private:
  int fd_ = -1;
};

struct AddrInfoDeleter {
  void operator()(addrinfo* list) const;
};
using AddrList = std::unique_ptr<addrinfo, AddrInfoDeleter>;

// The addresses of host:port, or null when the name does not resolve within `timeout`.
AddrList Resolve(const std::string& host, const std::string& port, Host& events,
                 std::chrono::milliseconds timeout);

// Connects to the first address that accepts within `timeout` (for all of them together).
// On failure returns an unopened socket and sets `error` to the last errno met.
Socket Connect(const addrinfo* list, Host& events, std::chrono::milliseconds timeout, int& error);

enum class IoResult { Done, Closed, TimedOut, Failed };

// Sends all of `data` before `deadline`. Sets errno-style `error` on Failed.
IoResult SendAll(const Socket& socket, std::string_view data, Host& events,
                 Clock::time_point deadline, int& error);

// Receives what has arrived (at most `capacity` bytes) before `deadline`; `received` is the
// count. Closed means the peer ended the connection.
IoResult ReceiveSome(const Socket& socket, char* buffer, std::size_t capacity, Host& events,
                     Clock::time_point deadline, std::size_t& received, int& error);

// "<system text> (Error #<number>)", the form used in the client's failure texts.
std::string SystemErrorText(int error);

}  // namespace fw::net
