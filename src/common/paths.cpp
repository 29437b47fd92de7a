#include "common/paths.h"

#include <sys/stat.h>

#include <cerrno>

#include "common/error.h"

namespace fw {

std::string AddBackslash(const std::string& path) {
  if (path.empty() || path.back() == '/') return path;
  return path + '/';
}

std::string StripExtension(const std::string& name) {
  std::size_t dot = name.find_last_of('.');
  if (dot == std::string::npos) return name;
  std::size_t sep = name.find_last_of("/\\");
  if (sep != std::string::npos && sep > dot) return name;
  return name.substr(0, dot);
}

std::int64_t FileSizeOf(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return 0;
    ThrowFileError(path);
  }
  if (!S_ISREG(st.st_mode)) return 0;
  return static_cast<std::int64_t>(st.st_size);
}

}  // namespace fw
