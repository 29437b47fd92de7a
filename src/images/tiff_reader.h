// TIFF pictures in, through libtiff: the first page only, every photometric kind libtiff's
// RGBA interface reads (grey, palette, RGB, CMYK, YCbCr, any bit depth and compression),
// reduced to 8-bit RGB and turned upright by the Orientation tag. Alpha never changes a
// pixel: each shows its stored colour. Failures raise fw::Error with libtiff's own message.
#pragma once

#include <string>

#include "images/raster.h"

namespace fw {

struct TiffInfo {
  int width = 0;  // as displayed: turned by the orientation
  int height = 0;
  int orientation = 1;  // 1..8, the meaning of the Exif tag of the same number
  std::string icc;      // the embedded ICC profile, empty without one
};

// The first page's tags only; its image data are not read.
TiffInfo ReadTiffSize(const std::string& path);
TiffInfo TiffSizeFromMemory(const std::string& bytes);

Raster ReadTiff(const std::string& path);
Raster DecodeTiff(const std::string& bytes, TiffInfo* info = nullptr);

}  // namespace fw
