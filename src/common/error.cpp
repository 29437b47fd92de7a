#include "common/error.h"

#include <cerrno>
#include <cstring>

namespace fw {

void ThrowFileError(const std::string& path) {
  int code = errno;
  // A caller that met a failure without errno still gets a reason rather than "Success".
  if (code == 0) code = EIO;
  throw Error(std::string(std::strerror(code)) + ": " + path);
}

}  // namespace fw
