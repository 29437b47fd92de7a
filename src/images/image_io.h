// The one dimension probe and the one JPEG writer of the system.
#pragma once

#include <string>

#include "images/raster.h"

namespace fw {

class Host;

struct ImageSize {
  int width = 0;
  int height = 0;
};

// Width and height of the picture at `path`, told by its last three characters
// (jpg/gif/png/bmp, any case); 0 x 0 for other kinds. Reader errors are raised.
ImageSize GetImageSize(const std::string& path);

// Decodes a picture fully (kind by its last four characters) into an RGB raster.
Raster DecodePicture(const std::string& path);

// Decodes, point-samples to `size` on the longest side and writes a JPEG.
// Returns false when the target could not be written (after telling the host); true when
// written or when the source kind is not one of the four (nothing is done then).
bool MakeScaledJpeg(Host& host, const std::string& sourcePath, const std::string& targetPath,
                    int size, int quality, bool progressive);

// The longest side a picture must take to fit a maxWidth x maxHeight box.
int FitLongestSide(const std::string& path, int maxWidth, int maxHeight);

}  // namespace fw
