#include "update/http_client.h"

#include <algorithm>
#include <charconv>
#include <ostream>

#include "common/text.h"
#include "update/socket.h"

namespace fw {

namespace {

constexpr const char* kCantResolve = "can't resolve hostname to IP address";

bool StartsWithNoCase(const std::string& text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

// A decimal field made only of digits; -1 for anything else.
std::int64_t ParseCount(std::string_view text) {
  std::int64_t value = -1;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < 0) return -1;
  return value;
}

class BusyGuard {
 public:
  explicit BusyGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~BusyGuard() { flag_ = false; }
  BusyGuard(const BusyGuard&) = delete;
  BusyGuard& operator=(const BusyGuard&) = delete;

 private:
  bool& flag_;
};

}  // namespace

// One request and its response on one connection.
class HttpClient::Exchange {
 public:
  Exchange(HttpClient& client, Host& events, const Url& url, std::ostream& out)
      : c_(client), events_(events), url_(url), out_(out) {}

  // True when the response sends the client elsewhere (a Location header was received).
  bool Run() {
    c_.status_ = 0;
    c_.reason_.clear();
    c_.response_ = HttpResponseHeaders{};
    c_.headerLines_.clear();
    if (url_.scheme != "http") Fail("unsupported scheme: " + url_.scheme);

    const auto& limits = c_.limits;
    end_ = net::Clock::now() + limits.transferTimeout;
    net::AddrList addresses = net::Resolve(url_.host, url_.port, events_, limits.resolveTimeout);
    if (!addresses) FailReach(kCantResolve);
    int error = 0;
    socket_ = net::Connect(addresses.get(), events_, limits.connectTimeout, error);
    if (socket_.fd() < 0) FailReach("can't connect: " + net::SystemErrorText(error));

    std::string request = BuildRequest(url_, c_.headers);
    switch (net::SendAll(socket_, request, events_, Deadline(), error)) {
      case net::IoResult::Done:
        break;
      case net::IoResult::TimedOut:
        Fail("HTTP request timed out");
      default:
        Fail("can't send: " + net::SystemErrorText(error));
    }
    return Receive();
  }

 private:
  enum class Step { More, Redirect, Finished };

  [[noreturn]] void Fail(const std::string& reason) {
    socket_.close();
    throw HttpError(reason, c_.status_);
  }

  // Failing to reach the server reads as "not found".
  [[noreturn]] void FailReach(const std::string& reason) {
    c_.status_ = 404;
    c_.reason_ = reason;
    Fail(reason);
  }

  net::Clock::time_point Deadline() const {
    return std::min(net::Clock::now() + c_.limits.readTimeout, end_);
  }

  bool Receive() {
    char buffer[16384];
    for (;;) {
      std::size_t n = 0;
      int error = 0;
      auto result = net::ReceiveSome(socket_, buffer, sizeof buffer, events_, Deadline(), n, error);
      if (result == net::IoResult::TimedOut) Fail("HTTP request timed out");
      if (result == net::IoResult::Failed) Fail("can't receive: " + net::SystemErrorText(error));
      if (result == net::IoResult::Closed) return AtClose();
      Step step = Feed(std::string_view(buffer, n));
      events_.processEvents();
      if (step == Step::Redirect) return true;
      if (step == Step::Finished) return false;
    }
  }

  Step Feed(std::string_view data) {
    if (inBody_) return WriteBody(data);
    pending_.append(data);
    for (;;) {
      auto lf = pending_.find('\n');
      if (lf == std::string::npos) {
        // A CR may still come before the LF, so one byte more than the bound is allowed.
        if (pending_.size() > static_cast<std::size_t>(kMaxHttpLine) + 1)
          Fail("HTTP line too long");
        return Step::More;
      }
      std::string raw = pending_.substr(0, lf + 1);
      pending_.erase(0, lf + 1);
      std::string line = raw.substr(0, lf);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.size() > static_cast<std::size_t>(kMaxHttpLine)) Fail("HTTP line too long");
      if (!line.empty()) CountHeadLine(raw.size());
      Step step = HeaderLine(line, raw);
      if (step != Step::More || inBody_) return step;
    }
  }

  // A server that sends short header lines without end must not fill the memory.
  void CountHeadLine(std::size_t bytes) {
    headBytes_ += static_cast<std::int64_t>(bytes);
    if (++headLines_ > c_.limits.maxHeaderLines) Fail("HTTP too many header lines");
    if (headBytes_ > c_.limits.maxHeaderBytes) Fail("HTTP header too large");
  }

  // One line of the head of the response; `raw` is the line with its own line end.
  Step HeaderLine(const std::string& line, const std::string& raw) {
    if (line.empty()) {
      if (!c_.response_.location.empty()) return Step::Redirect;
      return StartBody("");
    }
    if (StartsWithNoCase(line, "<HTML>")) {
      // A server that sends the page with no status line or headers at all.
      c_.response_.contentType = "text/html";
      return StartBody(raw);
    }
    c_.headerLines_.push_back(line);
    if (line.starts_with("HTTP/1.0") || line.starts_with("HTTP/1.1")) {
      std::int64_t code = line.size() >= 12 ? ParseCount(std::string_view(line).substr(9, 3)) : -1;
      c_.status_ = code < 0 ? 0 : static_cast<int>(code);
      c_.reason_ = line.size() > 13 ? line.substr(13) : "";
      if (c_.status_ >= 400) Fail(c_.reason_);
      return Step::More;
    }
    auto colon = line.find(':');
    if (colon == std::string::npos) return Step::More;
    std::string name = LowerAscii(line.substr(0, colon));
    auto start = line.find_first_not_of(" \t", colon + 1);
    std::string value = start == std::string::npos ? "" : line.substr(start);
    auto& r = c_.response_;
    if (name == "content-length")
      r.contentLength = value;
    else if (name == "content-range")
      r.contentRange = value;
    else if (name == "accept-ranges")
      r.acceptRanges = value;
    else if (name == "content-type")
      r.contentType = LowerAscii(value);
    else if (name == "www-authenticate")
      r.wwwAuthenticate = value;
    else if (name == "set-cookie")
      r.setCookie = value;
    else if (name == "location")
      r.location = value;
    return Step::More;
  }

  Step StartBody(const std::string& first) {
    inBody_ = true;
    const std::string& length = c_.response_.contentLength;
    expected_ = ParseCount(length);
    // A length of more digits than a count holds is too large, not missing.
    const bool digitsOnly =
        !length.empty() && length.find_first_not_of("0123456789") == std::string::npos;
    if (expected_ > c_.limits.maxBodyBytes || (expected_ < 0 && digitsOnly))
      Fail("HTTP response too large");
    std::string rest = first + pending_;
    pending_.clear();
    if (expected_ == 0) return Step::Finished;
    return rest.empty() ? Step::More : WriteBody(rest);
  }

  // The body goes out as it arrives. A declared length ends it early, so a server that keeps
  // the connection open after the last byte does not run into the time-out.
  Step WriteBody(std::string_view data) {
    if (expected_ >= 0)
      data = data.substr(0, static_cast<std::size_t>(std::min<std::int64_t>(
                                static_cast<std::int64_t>(data.size()), expected_ - written_)));
    if (written_ + static_cast<std::int64_t>(data.size()) > c_.limits.maxBodyBytes)
      Fail("HTTP response too large");
    out_.write(data.data(), static_cast<std::streamsize>(data.size()));
    if (!out_) Fail("can't write the received data");
    written_ += static_cast<std::int64_t>(data.size());
    return expected_ >= 0 && written_ >= expected_ ? Step::Finished : Step::More;
  }

  bool AtClose() {
    if (!inBody_ && !pending_.empty()) {
      // The head ended with the connection: its last line had no line end.
      std::string line = pending_;
      if (line.back() == '\r') line.pop_back();
      pending_.clear();
      if (line.size() > static_cast<std::size_t>(kMaxHttpLine)) Fail("HTTP line too long");
      CountHeadLine(line.size());
      if (HeaderLine(line, line) == Step::Redirect) return true;
    }
    if (inBody_ && expected_ >= 0 && written_ < expected_) Fail("HTTP transfer ended early");
    out_.flush();
    if (!out_) Fail("can't write the received data");
    return false;
  }

  HttpClient& c_;
  Host& events_;
  Url url_;
  std::ostream& out_;
  net::Socket socket_;
  net::Clock::time_point end_;
  std::string pending_;
  bool inBody_ = false;
  int headLines_ = 0;
  std::int64_t headBytes_ = 0;
  std::int64_t expected_ = -1;
  std::int64_t written_ = 0;
};

int HttpClient::Get(Host& events, const std::string& url, std::ostream& out) {
  if (busy_) throw HttpError("HTTP component is busy", 0);
  BusyGuard guard(busy_);
  Url current = ParseUrl(url);
  for (int redirects = 0;; ++redirects) {
    Exchange exchange(*this, events, current, out);
    if (!exchange.Run()) break;
    if (redirects >= limits.maxRedirects) throw HttpError("HTTP too many redirects", status_);
    const std::string& location = response_.location;
    current = location.starts_with("/") ? ParseUrl(location, current) : ParseUrl(location);
  }
  return status_;
}

}  // namespace fw
