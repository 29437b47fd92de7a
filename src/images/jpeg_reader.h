// JPEG pictures in, through libjpeg: the header-only size probe and the full-scale decode.
#pragma once

#include <string>

#include "images/raster.h"

namespace fw {

struct JpegInfo {
  int width = 0;
  int height = 0;
};

// Size from the frame header only; the compressed data are not decoded, so a file with damaged
// image data still tells its size. An empty file reports 0 x 0 and is not parsed.
JpegInfo ReadJpegSize(const std::string& path);
JpegInfo JpegSizeFromMemory(const std::string& bytes);

// Full-scale decode to RGB with libjpeg's defaults. Grey-scale pictures go through libjpeg's
// one-pass quantizer (at most 236 levels, default dithering); CMYK and YCCK pictures are
// converted to RGB, reading the ink values as inverted when an Adobe marker is present. The
// embedded ICC profile is handed on in the raster, unconverted.
Raster ReadJpeg(const std::string& path);
Raster DecodeJpeg(const std::string& bytes);

}  // namespace fw
