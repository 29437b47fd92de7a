// Small pictures and a scratch folder made in code for the picture tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "images/raster.h"

namespace fw::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchDir {
 public:
  ScratchDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("fw-pictures-" + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Largest difference of one channel level between two rasters of one size.
inline int MaxDifference(const Raster& a, const Raster& b) {
  EXPECT_EQ(a.width, b.width);
  EXPECT_EQ(a.height, b.height);
  int most = 0;
  for (std::size_t i = 0; i < a.rgb.size() && i < b.rgb.size(); ++i)
    most = std::max(most, std::abs(int(a.rgb[i]) - int(b.rgb[i])));
  return most;
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

// Each pixel tells where it came from: red and green hold the column, blue the row.
inline Raster CoordinateRaster(int w, int h) {
  Raster r{w, h, std::vector<std::uint8_t>(std::size_t(w) * h * 3)};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = r.row(y) + x * 3;
      p[0] = std::uint8_t(x & 255), p[1] = std::uint8_t(x >> 8), p[2] = std::uint8_t(y & 255);
    }
  return r;
}

inline int SourceColumn(const Raster& r, int x, int y) {
  const std::uint8_t* p = r.row(y) + x * 3;
  return p[0] | p[1] << 8;
}

// A smooth picture that survives JPEG compression recognisably.
inline Raster SmoothRaster(int w, int h) {
  Raster r{w, h, std::vector<std::uint8_t>(std::size_t(w) * h * 3)};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = r.row(y) + x * 3;
      p[0] = std::uint8_t(x * 255 / (w > 1 ? w - 1 : 1));
      p[1] = std::uint8_t(y * 255 / (h > 1 ? h - 1 : 1));
      p[2] = std::uint8_t((x + y) * 255 / (w + h));
    }
  return r;
}

}  // namespace fw::testing
