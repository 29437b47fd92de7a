// A decoded picture: 8-bit RGB, rows top to bottom, no padding.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fw {

// The largest picture any reader decodes (pixels); bigger ones fail with a clear message.
inline constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 28;

struct Raster {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // width * height * 3 bytes
  // The ICC profile the picture's file tags its colours with; empty for none (taken as sRGB).
  std::string iccProfile = {};

  std::uint8_t* row(int y) { return rgb.data() + std::size_t(y) * std::size_t(width) * 3; }
  const std::uint8_t* row(int y) const {
    return rgb.data() + std::size_t(y) * std::size_t(width) * 3;
  }
};

}  // namespace fw
