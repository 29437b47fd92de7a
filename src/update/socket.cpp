#include "update/socket.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

namespace fw::net {

namespace {

// How long one wait lasts before the window gets its events processed.
constexpr std::chrono::milliseconds kSlice{20};

int SliceUntil(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  if (left.count() <= 0) return 0;
  return static_cast<int>(std::min(left, kSlice).count());
}

// Waits for `what` on the socket; false on time-out. Sets `error` when poll itself fails.
bool WaitFor(int fd, short what, Host& events, Clock::time_point deadline, int& error) {
  for (;;) {
    pollfd p{fd, what, 0};
    int n = ::poll(&p, 1, SliceUntil(deadline));
    if (n > 0) return true;
    if (n < 0 && errno != EINTR) {
      error = errno;
      return true;  // the caller's next call reports the failure
    }
    events.processEvents();
    if (Clock::now() >= deadline) return false;
  }
}

// The resolver blocks, so it runs on a thread of its own. When the caller gives up waiting
// the thread is left to finish and frees its own result.
struct ResolveState {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  bool abandoned = false;
  addrinfo* result = nullptr;
};

}  // namespace

Socket::~Socket() { close(); }

Socket& Socket::operator=(Socket&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

void Socket::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void AddrInfoDeleter::operator()(addrinfo* list) const {
  if (list) ::freeaddrinfo(list);
}

AddrList Resolve(const std::string& host, const std::string& port, Host& events,
                 std::chrono::milliseconds timeout) {
  if (host.empty()) return nullptr;
  auto state = std::make_shared<ResolveState>();
  std::thread([state, host, port] {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* result = nullptr;
    if (::getaddrinfo(host.c_str(), port.c_str(), &hints, &result) != 0) result = nullptr;
    std::lock_guard lock(state->mutex);
    if (state->abandoned) {
      if (result) ::freeaddrinfo(result);
    } else {
      state->result = result;
    }
    state->done = true;
    state->finished.notify_all();
  }).detach();

  auto deadline = Clock::now() + timeout;
  std::unique_lock lock(state->mutex);
  while (!state->done) {
    if (Clock::now() >= deadline) {
      state->abandoned = true;
      return nullptr;
    }
    state->finished.wait_for(lock, kSlice);
    if (state->done) break;
    lock.unlock();
    events.processEvents();
    lock.lock();
  }
  return AddrList(state->result);
}

Socket Connect(const addrinfo* list, Host& events, std::chrono::milliseconds timeout, int& error) {
  auto deadline = Clock::now() + timeout;
  error = ENOTCONN;
  for (const addrinfo* a = list; a; a = a->ai_next) {
    Socket s(::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol));
    if (s.fd() < 0) {
      error = errno;
      continue;
    }
    if (::connect(s.fd(), a->ai_addr, a->ai_addrlen) == 0) return s;
    if (errno != EINPROGRESS) {
      error = errno;
      continue;
    }
    int pollError = 0;
    if (!WaitFor(s.fd(), POLLOUT, events, deadline, pollError)) {
      error = ETIMEDOUT;
      break;  // the time allowed is spent for every address
    }
    int soError = pollError;
    socklen_t len = sizeof soError;
    if (soError == 0 && ::getsockopt(s.fd(), SOL_SOCKET, SO_ERROR, &soError, &len) != 0)
      soError = errno;
    if (soError == 0) return s;
    error = soError;
  }
  return Socket();
}

IoResult SendAll(const Socket& socket, std::string_view data, Host& events,
                 Clock::time_point deadline, int& error) {
  while (!data.empty()) {
    ssize_t n = ::send(socket.fd(), data.data(), data.size(), MSG_NOSIGNAL);
    if (n > 0) {
      data.remove_prefix(static_cast<std::size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      error = errno;
      return IoResult::Failed;
    }
    error = 0;
    if (!WaitFor(socket.fd(), POLLOUT, events, deadline, error)) return IoResult::TimedOut;
    if (error) return IoResult::Failed;
  }
  return IoResult::Done;
}

IoResult ReceiveSome(const Socket& socket, char* buffer, std::size_t capacity, Host& events,
                     Clock::time_point deadline, std::size_t& received, int& error) {
  received = 0;
  for (;;) {
    ssize_t n = ::recv(socket.fd(), buffer, capacity, 0);
    if (n > 0) {
      received = static_cast<std::size_t>(n);
      return IoResult::Done;
    }
    if (n == 0) return IoResult::Closed;
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) {
      error = errno;
      return IoResult::Failed;
    }
    error = 0;
    if (!WaitFor(socket.fd(), POLLIN, events, deadline, error)) return IoResult::TimedOut;
    if (error) return IoResult::Failed;
  }
}

std::string SystemErrorText(int error) {
  return std::string(std::strerror(error)) + " (Error #" + std::to_string(error) + ")";
}

}  // namespace fw::net
