// HEIF pictures in, through libheif: HEIC (HEVC) and AVIF (AV1) files alike, the primary
// image only (so an animated AVIF gives the still its encoder stores as the first frame).
// libheif turns the image by its irot/imir boxes; the Exif Orientation inside a HEIF file is
// not applied on top, since phones write both for the same turn. Alpha never changes a pixel.
// Failures raise fw::Error with libheif's own message.
#pragma once

#include <string>

#include "images/raster.h"

namespace fw {

struct HeifInfo {
  int width = 0;  // as displayed: after the irot/imir turn
  int height = 0;
  std::string icc;  // an embedded ICC profile (colr), empty without one
};

// The container's boxes only; the coded image is not decoded.
HeifInfo ReadHeifSize(const std::string& path);
HeifInfo HeifSizeFromMemory(const std::string& bytes);

Raster ReadHeif(const std::string& path);
Raster DecodeHeif(const std::string& bytes, HeifInfo* info = nullptr);

}  // namespace fw
