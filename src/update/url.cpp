#include "update/url.h"

#include "common/text.h"

namespace fw {

namespace {

// The host part is "[user[:password]@]host[:port]"; a host in brackets is an IPv6 literal.
void SplitHostPart(const std::string& part, Url& url) {
  std::string hostPort = part;
  // The last "@" ends the credentials, so a password may itself hold an "@".
  auto at = part.rfind('@');
  if (at != std::string::npos) {
    std::string credentials = part.substr(0, at);
    hostPort = part.substr(at + 1);
    url.hasUser = true;
    auto colon = credentials.find(':');
    url.user = credentials.substr(0, colon);
    if (colon != std::string::npos) url.password = credentials.substr(colon + 1);
  }
  std::string::size_type portColon;
  if (!hostPort.empty() && hostPort.front() == '[' && hostPort.find(']') != std::string::npos) {
    auto close = hostPort.find(']');
    url.host = hostPort.substr(1, close - 1);
    portColon = hostPort.find(':', close);
  } else {
    portColon = hostPort.find(':');
    url.host = hostPort.substr(0, portColon);
  }
  if (portColon != std::string::npos && portColon + 1 < hostPort.size())
    url.port = hostPort.substr(portColon + 1);
}

}  // namespace

Url ParseUrl(const std::string& text, const Url& current) {
  Url url;
  std::string rest;
  auto sep = text.find("://");
  if (sep != std::string::npos) {
    url.scheme = LowerAscii(text.substr(0, sep));
    rest = text.substr(sep + 3);
  } else if (!text.empty() && text.front() == '/') {
    url = current;
    url.scheme = "http";
    url.path = text;
    return url;
  } else if (LowerAscii(text.substr(0, 7)) == "mailto:") {
    url.scheme = "mailto";
    rest = text.substr(7);
  } else {
    url.scheme = "http";
    rest = text;
  }
  auto slash = rest.find('/');
  SplitHostPart(rest.substr(0, slash), url);
  if (slash != std::string::npos) url.path = rest.substr(slash);
  return url;
}

}  // namespace fw
