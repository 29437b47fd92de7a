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

// Pictures up to the readers' own bound are valid, but filling hundreds of millions of pixels
// under the sanitizers takes seconds and teaches nothing new; the targets decode only
// pictures up to this many pixels and probe the rest.
inline constexpr std::uint64_t kMaxFuzzPixels = std::uint64_t{1} << 18;

inline bool TooLargeToDecode(std::int64_t width, std::int64_t height) {
  if (width < 0) width = -width;
  if (height < 0) height = -height;
  return std::uint64_t(width) * std::uint64_t(height) > kMaxFuzzPixels;
}

inline std::string ScratchPath(const std::string& name) { return ScratchFolder() + "/" + name; }

inline void WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
}

}  // namespace fw::fuzz
