// The program's own small HTTP/1.0 client: one GET at a time, the body streamed to a file,
// Location redirects followed. It runs on the caller's thread and lets the Host process
// window events while it waits. Every status of 400 or more, and every failure to reach or
// talk to the server, is raised as an HttpError.
#pragma once

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "common/host.h"
#include "update/http_error.h"
#include "update/url.h"

namespace fw {

inline constexpr const char* kDefaultAccept =
    "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
inline constexpr const char* kDefaultUserAgent = "Mozilla/3.0 (compatible)";
inline constexpr int kMaxHttpLine = 8192;

// Optional request headers; each empty one is left out of the request.
struct HttpRequestHeaders {
  std::string from;
  std::string accept = kDefaultAccept;
  std::string referer;
  std::string userAgent = kDefaultUserAgent;
  bool noCache = false;
  std::string ifModifiedSince;
  std::string cookie;
  std::string range;  // written after "Range: bytes="
};

// Bounds that keep a request from running for ever or filling the disk.
struct HttpLimits {
  int maxRedirects = 10;  // redirects followed in a row
  std::chrono::milliseconds resolveTimeout{15000};
  std::chrono::milliseconds connectTimeout{15000};
  std::chrono::milliseconds readTimeout{30000};       // silence from the server
  std::chrono::milliseconds transferTimeout{120000};  // one whole request, start to end
  std::int64_t maxBodyBytes = 1 << 20;
  int maxHeaderLines = 100;                // status line included
  std::int64_t maxHeaderBytes = 64 << 10;  // every line of the head, line ends included
};

// The recognised headers of the last response.
struct HttpResponseHeaders {
  std::string contentLength;
  std::string contentRange;
  std::string acceptRanges;
  std::string contentType;  // lower-cased
  std::string wwwAuthenticate;
  std::string setCookie;
  std::string location;
};

// The request bytes for `url`: the request line, the set headers in their fixed order, the
// empty line; each line ends in CR LF.
std::string BuildRequest(const Url& url, const HttpRequestHeaders& headers);
std::string Base64(const std::string& bytes);

class HttpClient {
 public:
  HttpRequestHeaders headers;
  HttpLimits limits;

  // Fetches `url` and writes the body of the final response to `out`; returns the status
  // code. Raises HttpError with the reason text and status code on failure, and
  // "HTTP component is busy" when called while a request is under way.
  int Get(Host& events, const std::string& url, std::ostream& out);

  bool busy() const { return busy_; }
  int statusCode() const { return status_; }
  const std::string& reasonText() const { return reason_; }
  const HttpResponseHeaders& response() const { return response_; }
  // Every header line of the last response, as received.
  const std::vector<std::string>& headerLines() const { return headerLines_; }

 private:
  class Exchange;
  bool busy_ = false;
  int status_ = 0;
  std::string reason_;
  HttpResponseHeaders response_;
  std::vector<std::string> headerLines_;
};

}  // namespace fw
