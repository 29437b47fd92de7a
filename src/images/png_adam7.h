// Where the pixels of each Adam7 pass lie in the picture.
#pragma once

#include <cstdint>

namespace fw::png {

struct Pass {
  std::uint32_t x0, y0, dx, dy;  // first position and step
  std::uint32_t width = 0;       // pixels per row of the pass, 0 when it holds none
  std::uint32_t height = 0;      // rows of the pass
};

inline constexpr int kAdam7Passes = 7;

// Pass `index` (0 to 6) of a `width` x `height` picture.
Pass Adam7Pass(int index, std::uint32_t width, std::uint32_t height);

}  // namespace fw::png
