#include "images/png_adam7.h"

namespace fw::png {
namespace {

std::uint32_t Count(std::uint32_t size, std::uint32_t start, std::uint32_t step) {
  return size > start ? (size - start + step - 1) / step : 0;
}

}  // namespace

Pass Adam7Pass(int index, std::uint32_t width, std::uint32_t height) {
  static constexpr std::uint32_t kGrid[kAdam7Passes][4] = {
      {0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
      {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
  const auto& g = kGrid[index];
  Pass p{g[0], g[1], g[2], g[3]};
  p.width = Count(width, p.x0, p.dx);
  p.height = Count(height, p.y0, p.dy);
  // A pass without a column or without a row holds no pixel and takes no bytes.
  if (p.width == 0 || p.height == 0) p.width = p.height = 0;
  return p;
}

}  // namespace fw::png
