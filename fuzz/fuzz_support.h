// Helpers shared by the fuzz targets: a scratch folder on tmpfs private to this process, and
// writing an input there so the path-taking readers see it as a file.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "common/error.h"
#include "images/raster.h"

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

// For readers whose probe reads less than their decode: a probe may succeed where the decode
// then fails, but a decode that succeeds must give the probed size and a whole raster, and
// neither may raise anything but fw::Error (any other exception ends the run as a finding).
template <typename Probe, typename Decode>
void CheckProbeAndDecode(const std::string& bytes, Probe probe, Decode decode) {
  int width = 0, height = 0;
  try {
    const auto info = probe(bytes);
    width = info.width, height = info.height;
  } catch (const fw::Error&) {
    return;  // the decode reads the same headers first and fails the same way
  }
  if (TooLargeToDecode(width, height)) return;
  try {
    const fw::Raster r = decode(bytes);
    if (r.width != width || r.height != height) std::abort();
    if (r.rgb.size() != static_cast<std::size_t>(r.width) * r.height * 3) std::abort();
  } catch (const fw::Error&) {
  }
}

inline std::string ScratchPath(const std::string& name) { return ScratchFolder() + "/" + name; }

inline void WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
}

}  // namespace fw::fuzz
