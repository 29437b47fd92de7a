// Our own GIF reader: the first frame drawn on the logical screen.
#pragma once

#include <string>

#include "images/raster.h"

namespace fw {

struct GifInfo {
  int width = 0;   // logical screen
  int height = 0;
};

GifInfo ReadGifSize(const std::string& path);
Raster ReadGif(const std::string& path);

}  // namespace fw
