// The gamma correction of the PNG reader, built from a gAMA chunk's value.
#pragma once

#include <array>
#include <cstdint>

namespace fw::png {

using GammaTable = std::array<std::uint8_t, 256>;

// `stored` is the chunk's value, the file gamma times 100000; 0 counts as 1.
// table[i] = 255 * (i / 255) ^ (1 / (gamma * 2.2)), halves rounded to even.
GammaTable MakeGammaTable(std::uint32_t stored);

}  // namespace fw::png
