// Smooth thumbnails and shrunk copies of JPEG pictures, decoded row by row into the smooth
// filter. libjpeg decodes at the smallest of 1/8, 1/4 and 1/2 of the full size that still
// leaves the filter a reduction of at least 1.5: its scaled inverse DCT averages each block
// on the way, so what is left of a full decode's work is mostly the entropy decoding.
#pragma once

#include <optional>
#include <string>

#include "images/raster.h"

namespace fw {

class Host;

// The eighths (1, 2, 4 or 8) libjpeg decodes a width x height picture at, for an output of
// outWidth x outHeight.
int DecodeEighths(int width, int height, int outWidth, int outHeight);

// The picture at `path`, shown as its EXIF `orientation` says, smoothly scaled to `size` on
// its longest side, at the point sampler's output size; one host.processEvents() per output
// row. The embedded ICC profile is handed on in the raster, unconverted. A picture shown
// turned is decoded whole at the reduced size first. Empty when the full path must be taken
// (a size below 1, or an output over kMaxPixels, whose errors come after the decode's).
// A progressive picture decoded at 1/8 is made from its DC scans alone (jpeg_dc_smooth.h).
std::optional<Raster> SmoothJpegFile(const std::string& path, int size, int orientation,
                                     Host& host);
// The same through libjpeg's scaled decode of every scan, whatever the picture.
std::optional<Raster> SmoothJpegFromScaledDecode(const std::string& path, int size,
                                                 int orientation, Host& host);

}  // namespace fw
