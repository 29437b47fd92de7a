#include "images/raster.h"

#include "common/error.h"

namespace fw {

std::uint64_t RasterBytes(std::uint64_t width, std::uint64_t height) { return width * height * 3; }

Raster NewRaster(std::uint64_t width, std::uint64_t height, const std::string& refusal) {
  if (width * height > kMaxPixels) throw Error(refusal);
  PictureMemory claim(RasterBytes(width, height), refusal);
  return NewRaster(width, height, claim);
}

Raster NewRaster(std::uint64_t width, std::uint64_t height, PictureMemory& claim) {
  Raster r;
  r.memory = std::make_shared<const PictureMemory>(claim.split(RasterBytes(width, height)));
  r.width = static_cast<int>(width);
  r.height = static_cast<int>(height);
  r.rgb.resize(RasterBytes(width, height));
  return r;
}

}  // namespace fw
