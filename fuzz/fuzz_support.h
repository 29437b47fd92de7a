// Helpers shared by the fuzz targets: a scratch folder on tmpfs private to this process, and
// writing an input there so the path-taking readers see it as a file.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace fw::fuzz {

inline const std::string& ScratchFolder() {
  static const std::string folder = [] {
    std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string f = base + "/fw-fuzz-" + std::to_string(getpid());
    std::string cmd = "mkdir -p '" + f + "'";
    if (std::system(cmd.c_str()) != 0) std::abort();
    return f;
  }();
  return folder;
}

inline std::string ScratchPath(const std::string& name) { return ScratchFolder() + "/" + name; }

inline void WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
}

}  // namespace fw::fuzz
