#include "images/scaler.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/host.h"
#include "common/rounding.h"

namespace fw {

ScaledSize ScaledDimensions(int width, int height, int size) {
  if (width <= 0 || height <= 0)
    throw Error("Picture has no pixels (" + std::to_string(width) + " x " + std::to_string(height) +
                ")");
  if (size < 1) throw Error("Invalid picture size " + std::to_string(size));
  const int longest = width < height ? height : width;
  ScaledSize s;
  s.q = static_cast<double>(static_cast<long double>(longest) / size);
  const long double q = s.q;
  // A very thin picture would round its short side to nothing; a JPEG needs at least one row.
  s.width = static_cast<int>(std::max(1LL, RoundHalfEven(width / q)));
  s.height = static_cast<int>(std::max(1LL, RoundHalfEven(height / q)));
  return s;
}

int SampledIndex(int i, double q, int limit) {
  long long s = RoundHalfEven(static_cast<long double>(i) * static_cast<long double>(q));
  return static_cast<int>(std::min<long long>(s, limit - 1));
}

std::vector<std::size_t> SampledColumns(const ScaledSize& s, int sourceWidth) {
  std::vector<std::size_t> column(std::size_t(s.width));
  for (int x = 0; x < s.width; ++x) column[x] = std::size_t(SampledIndex(x, s.q, sourceWidth)) * 3;
  return column;
}

void SampleRow(const std::uint8_t* in, const std::vector<std::size_t>& column, int width,
               std::uint8_t* out) {
  for (int x = 0; x < width; ++x, out += 3) std::memcpy(out, in + column[x], 3);
}

Raster NewScaledRaster(const ScaledSize& s) {
  return NewRaster(s.width, s.height,
                   "Picture too large to make (" + std::to_string(s.width) + " x " +
                       std::to_string(s.height) + " pixels)");
}

Raster PointSample(const Raster& source, int size, Host& host) {
  const ScaledSize s = ScaledDimensions(source.width, source.height, size);
  Raster out = NewScaledRaster(s);

  const std::vector<std::size_t> column = SampledColumns(s, source.width);
  for (int y = 0; y < s.height; ++y) {
    SampleRow(source.row(SampledIndex(y, s.q, source.height)), column, s.width, out.row(y));
    host.processEvents();
  }
  return out;
}

}  // namespace fw
