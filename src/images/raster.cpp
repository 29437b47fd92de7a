#include "images/raster.h"

#include "common/error.h"

namespace fw {

Raster NewRaster(std::uint64_t width, std::uint64_t height, const std::string& refusal,
                 std::uint64_t alsoHeld) {
  if (width * height > kMaxPixels) throw Error(refusal);
  const std::uint64_t bytes = width * height * 3;
  Raster r;
  r.memory = std::make_shared<const PictureMemory>(bytes + alsoHeld, refusal);
  r.width = static_cast<int>(width);
  r.height = static_cast<int>(height);
  r.rgb.resize(bytes);
  return r;
}

}  // namespace fw
