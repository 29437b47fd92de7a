// Our own GIF reader: the block structure of GIF87a/GIF89a, LZW image data, and the first
// frame drawn on the logical screen. Lenient where GIF files in the wild are: stray bytes end
// the frame list, a missing trailer is no error, pixels the data do not cover keep a preset
// index. Failures raise fw::Error with the reader's own message.
#pragma once

#include <string>

#include "images/raster.h"

namespace fw {

struct GifInfo {
  int width = 0;   // logical screen
  int height = 0;
  int frames = 0;  // frames with an image descriptor
  // The first frame's own placement on the logical screen.
  int firstLeft = 0, firstTop = 0, firstWidth = 0, firstHeight = 0;
};

// The logical screen's size; the whole file is read as for ReadGif.
GifInfo ReadGifSize(const std::string& path);
GifInfo GifSizeFromMemory(const std::string& bytes);

// The first frame on a canvas of the logical screen's size (the frame itself when it covers
// the screen). Screen parts the frame leaves uncovered show the background colour of the
// global colour table (black without one); indices outside a colour table show black.
Raster ReadGif(const std::string& path);
Raster DecodeGif(const std::string& bytes, GifInfo* info = nullptr);

}  // namespace fw
