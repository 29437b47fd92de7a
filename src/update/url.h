// Splitting an address into the parts the HTTP client needs.
#pragma once

#include <string>

namespace fw {

struct Url {
  std::string scheme;  // lower case: "http", "mailto", ...
  std::string user;
  std::string password;
  bool hasUser = false;  // an "@" was present, even with an empty user
  std::string host;
  std::string port = "80";
  std::string path = "/";
};

// Parses `text`. An address that begins with a single "/" is a path on the current host:
// scheme "http", host and port left as in `current`.
Url ParseUrl(const std::string& text, const Url& current = Url{});

}  // namespace fw
