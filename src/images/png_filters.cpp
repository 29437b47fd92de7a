#include "images/png_filters.h"

#include <cstdlib>

#include "common/error.h"

namespace fw::png {
namespace {

std::uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return std::uint8_t(a);
  return std::uint8_t(pb <= pc ? b : c);
}

}  // namespace

void Unfilter(std::uint8_t type, std::uint8_t* row, const std::uint8_t* previous,
              std::size_t length, std::size_t distance) {
  const std::size_t d = distance < 1 ? 1 : distance;
  switch (type) {
    case 0:
      return;
    case 1:
      for (std::size_t i = d; i < length; ++i) row[i] = std::uint8_t(row[i] + row[i - d]);
      return;
    case 2:
      for (std::size_t i = 0; i < length; ++i) row[i] = std::uint8_t(row[i] + previous[i]);
      return;
    case 3:
      for (std::size_t i = 0; i < length; ++i) {
        const unsigned left = i >= d ? row[i - d] : 0;
        row[i] = std::uint8_t(row[i] + ((left + previous[i]) >> 1));
      }
      return;
    case 4:
      for (std::size_t i = 0; i < length; ++i) {
        const int left = i >= d ? row[i - d] : 0;
        const int upLeft = i >= d ? previous[i - d] : 0;
        row[i] = std::uint8_t(row[i] + Paeth(left, previous[i], upLeft));
      }
      return;
    default:
      throw Error("The image could not be loaded because it uses an unknown set of filter types.");
  }
}

}  // namespace fw::png
