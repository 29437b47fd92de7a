// WebP pictures in, through libwebp: lossy and lossless stills and the first frame of an
// animation (drawn on its canvas), as 8-bit RGB turned upright by the Orientation of an EXIF
// chunk. Alpha never changes a pixel: each shows its stored colour, and canvas parts the
// first frame leaves uncovered are black. Failures raise fw::Error.
#pragma once

#include <string>

#include "images/raster.h"

namespace fw {

struct WebpInfo {
  int width = 0;  // of the canvas as displayed: turned by the orientation
  int height = 0;
  int orientation = 1;
  bool animated = false;
  std::string icc;  // the ICCP chunk, empty without one
};

// The container's chunks only; the image data are not decoded.
WebpInfo ReadWebpSize(const std::string& path);
WebpInfo WebpSizeFromMemory(const std::string& bytes);

Raster ReadWebp(const std::string& path);
Raster DecodeWebp(const std::string& bytes, WebpInfo* info = nullptr);

}  // namespace fw
