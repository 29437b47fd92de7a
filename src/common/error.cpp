#include "common/error.h"

#include <cerrno>
#include <cstring>

namespace fw {

void ThrowFileError(const std::string& path) {
  int e = errno;
  throw Error(std::string(std::strerror(e ? e : EIO)) + ": " + path);
}

}  // namespace fw
