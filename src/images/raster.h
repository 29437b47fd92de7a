// A decoded picture: 8-bit RGB, rows top to bottom, no padding.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "images/picture_memory.h"

namespace fw {

// The largest picture any reader decodes (pixels); bigger ones fail with a clear message.
inline constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 28;

struct Raster {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // width * height * 3 bytes
  // The ICC profile the picture's file tags its colours with; empty for none (taken as sRGB).
  std::string iccProfile = {};
  // The claim on the picture budget that covers `rgb`; copies share it.
  std::shared_ptr<const PictureMemory> memory = nullptr;

  std::uint8_t* row(int y) { return rgb.data() + std::size_t(y) * std::size_t(width) * 3; }
  const std::uint8_t* row(int y) const {
    return rgb.data() + std::size_t(y) * std::size_t(width) * 3;
  }
};

// The bytes of a width x height raster.
std::uint64_t RasterBytes(std::uint64_t width, std::uint64_t height);

// A black width x height raster whose bytes are claimed from the picture budget first; raises
// Error(refusal) for more than kMaxPixels pixels or when the claim cannot be had.
Raster NewRaster(std::uint64_t width, std::uint64_t height, const std::string& refusal);
// The same with its bytes taken from `claim`, which a decoder made for the raster and its
// own buffers together; the pixel count was checked with the claim.
Raster NewRaster(std::uint64_t width, std::uint64_t height, PictureMemory& claim);

}  // namespace fw
