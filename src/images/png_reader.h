// Our own PNG reader.
#pragma once

#include <string>

#include "images/raster.h"

namespace fw {

struct PngInfo {
  int width = 0;
  int height = 0;
};

// Reads only as far as the header chunk.
PngInfo ReadPngSize(const std::string& path);
// Decodes the whole picture to RGB; errors raise fw::Error with the reader's message.
Raster ReadPng(const std::string& path);

}  // namespace fw
