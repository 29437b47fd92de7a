// The bound on the decoded size of the pictures read through outside libraries: they are
// measured before anything is decoded, so a file that claims a huge picture costs nothing.
// What the library itself takes while decoding is claimed with the raster (picture_memory.h).
#pragma once

#include <cstdint>

namespace fw {

// Raises fw::Error "Picture too large to decode (W x H pixels)" beyond kMaxPixels.
void CheckPixelLimit(std::uint64_t width, std::uint64_t height);

}  // namespace fw
