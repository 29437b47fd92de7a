#include "images/pixel_limit.h"

#include <string>

#include "common/error.h"
#include "images/raster.h"

namespace fw {

void CheckPixelLimit(std::uint64_t width, std::uint64_t height) {
  if (width * height > kMaxPixels)
    throw Error("Picture too large to decode (" + std::to_string(width) + " x " +
                std::to_string(height) + " pixels)");
}

}  // namespace fw
