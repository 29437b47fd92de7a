// Our own PNG reader: the chunk structure with CRC checks, inflate through zlib, the five row
// filters, Adam7, and the reduction of every colour type to 8-bit RGB (16-bit samples keep
// their high byte, alpha is dropped, grey levels are spread over 0..255, a gAMA chunk's
// correction is applied, unless an iCCP profile that is not sRGB describes the colours: then
// that profile is handed on in the raster instead). Failures raise fw::Error with the reader's
// own message.
#pragma once

#include <cstdint>
#include <string>

#include "images/raster.h"

namespace fw {

struct PngInfo {
  int width = 0;
  int height = 0;
  int bitDepth = 0;
  int colorType = 0;
  bool interlaced = false;
  bool hasGamma = false;
  // The tRNS colour of a truecolour picture (samples as stored); recorded, never applied.
  bool hasTransparentColor = false;
  std::uint16_t transparentRed = 0, transparentGreen = 0, transparentBlue = 0;
};

// The size of the picture. The whole file is checked and decoded as for ReadPng, so a file
// that ReadPng rejects fails here with the same message.
PngInfo ReadPngSize(const std::string& path);
PngInfo PngSizeFromMemory(const std::string& bytes);

// Decodes the whole picture to RGB. A zlib stream that ends before the last row leaves the
// rows it does not reach black.
Raster ReadPng(const std::string& path);
Raster DecodePng(const std::string& bytes, PngInfo* info = nullptr);

}  // namespace fw
