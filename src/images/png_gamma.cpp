#include "images/png_gamma.h"

#include <cmath>

namespace fw::png {

GammaTable MakeGammaTable(std::uint32_t stored) {
  const double gamma = (stored == 0 ? 1.0 : double(stored)) / 100000.0;
  const double exponent = 1.0 / (gamma * 2.2);
  GammaTable table{};
  for (int i = 1; i < 256; ++i) {
    const double v = std::nearbyint(255.0 * std::pow(i / 255.0, exponent));
    table[i] = static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
  }
  return table;
}

}  // namespace fw::png
