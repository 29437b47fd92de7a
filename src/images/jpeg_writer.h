// JPEG pictures out, through libjpeg: libjpeg's defaults with the given quality (baseline
// quantization tables), optionally progressive, built in memory.
#pragma once

#include <string>

#include "images/raster.h"

namespace fw {

// The compressed stream of `image` (three RGB components, rows top to bottom).
std::string EncodeJpeg(const Raster& image, int quality, bool progressive);

}  // namespace fw
