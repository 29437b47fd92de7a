// Our own reader for Windows bitmap files: core (OS/2 1.x), OS/2 2.x and Windows info headers
// up to version 5; 1, 2, 4, 8, 16, 24 and 32 bits per pixel; uncompressed, bit-field, RLE8
// and RLE4 pixel data; bottom-up and top-down rows. Every read is bounds-checked: a damaged
// file fails with fw::Error naming what is wrong.
#pragma once

#include <string>

#include "images/raster.h"

namespace fw {

struct BmpInfo {
  int width = 0;
  int height = 0;
};

// The probe reads the whole bitmap's data, without making its raster, so a damaged file fails
// here as it would in the scaler.
BmpInfo ReadBmpSize(const std::string& path);
Raster ReadBmp(const std::string& path);
Raster DecodeBmp(const std::string& bytes);

}  // namespace fw
