// The HTTP client's response parsing: a server on 127.0.0.1 answers every request with the
// input and closes. Redirects are never followed (the limit is zero), so no address other
// than the loopback one is ever contacted. Only HttpError may come out, and the head kept of a
// response never passes its bounds.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>

#include "common/recording_host.h"
#include "update/http_client.h"

namespace {

int ListeningSocket(int& port) {
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
      ::listen(fd, 4) != 0)
    std::abort();
  socklen_t len = sizeof a;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
  port = ntohs(a.sin_port);
  return fd;
}

// Reads the request head, sends the reply and closes.
void Answer(int listener, const std::string& reply) {
  int fd = ::accept(listener, nullptr, nullptr);
  if (fd < 0) return;
  std::string head;
  char buf[1024];
  while (head.find("\r\n\r\n") == std::string::npos) {
    ssize_t n = ::recv(fd, buf, sizeof buf, 0);
    if (n <= 0) break;
    head.append(buf, static_cast<std::size_t>(n));
  }
  ::send(fd, reply.data(), reply.size(), MSG_NOSIGNAL);
  ::close(fd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static int port = 0;
  static const int listener = ListeningSocket(port);
  static const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/version.txt";

  const std::string reply(reinterpret_cast<const char*>(data), size);
  std::thread server(Answer, listener, reply);
  fw::HttpClient client;
  client.limits.maxRedirects = 0;
  client.limits.maxBodyBytes = 4096;
  client.limits.maxHeaderLines = 16;
  client.limits.maxHeaderBytes = 1024;
  client.limits.readTimeout = std::chrono::milliseconds(5000);
  fw::RecordingHost host;
  std::ostringstream body;
  try {
    int status = client.Get(host, url, body);
    if (status >= 400) std::abort();  // such a status must have been raised
    if (body.str().size() > 4096) std::abort();
  } catch (const fw::HttpError&) {
    if (client.busy()) std::abort();
  }
  // However many header lines arrive, only the bounded head is ever kept.
  if (client.headerLines().size() > 16) std::abort();
  server.join();
  return 0;
}
