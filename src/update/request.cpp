// The request text of the HTTP client.
#include "update/http_client.h"

namespace fw {

std::string Base64(const std::string& bytes) {
  static constexpr char kDigits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    unsigned v = static_cast<unsigned char>(bytes[i]) << 16 |
                 static_cast<unsigned char>(bytes[i + 1]) << 8 |
                 static_cast<unsigned char>(bytes[i + 2]);
    out += kDigits[v >> 18];
    out += kDigits[(v >> 12) & 63];
    out += kDigits[(v >> 6) & 63];
    out += kDigits[v & 63];
  }
  if (i < bytes.size()) {
    unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out += kDigits[v >> 18];
    out += kDigits[(v >> 12) & 63];
    out += i + 1 < bytes.size() ? kDigits[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::string BuildRequest(const Url& url, const HttpRequestHeaders& h) {
  std::string r = "GET " + url.path + " HTTP/1.0\r\n";
  auto line = [&r](const char* name, const std::string& value) {
    if (!value.empty()) r += name + value + "\r\n";
  };
  line("From: ", h.from);
  line("Accept: ", h.accept);
  line("Referer: ", h.referer);
  line("User-Agent: ", h.userAgent);
  r += "Host: " + url.host + "\r\n";
  if (h.noCache) r += "Pragma: no-cache\r\nCache-Control: no-cache\r\n";
  line("If-Modified-Since: ", h.ifModifiedSince);
  if (url.hasUser) r += "Authorization: Basic " + Base64(url.user + ":" + url.password) + "\r\n";
  line("Cookie: ", h.cookie);
  line("Range: bytes=", h.range);
  r += "\r\n";
  return r;
}

}  // namespace fw
