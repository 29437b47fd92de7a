// The one error type of the system: it carries the exact message text shown to the user.
#pragma once

#include <stdexcept>
#include <string>

namespace fw {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Raises the platform's file error for `path` from the current errno
// (text of the form "<reason>: <path>").
[[noreturn]] void ThrowFileError(const std::string& path);

}  // namespace fw
