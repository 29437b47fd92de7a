// The file layer's own small pieces over POSIX descriptors: a descriptor closed when it goes,
// and a write of every byte. Only common/fs*.cpp use them.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <string>

namespace fw::fs::detail {

struct Fd {
  int fd = -1;
  Fd() = default;
  explicit Fd(int f) : fd(f) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
};

// Writes every byte, again after an interruption; raises the platform's file error with `path`.
void WriteAll(int fd, const char* data, std::size_t size, const std::string& path);

}  // namespace fw::fs::detail
