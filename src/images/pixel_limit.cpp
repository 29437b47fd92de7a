#include "images/pixel_limit.h"

#include <string>

#include "common/error.h"
#include "images/raster.h"

namespace fw {

void CheckPixelLimit(std::uint64_t width, std::uint64_t height) {
  if (width * height > kMaxPixels) throw Error(TooLargeToDecode(width, height));
}

}  // namespace fw
