// Turning a PNG's inflated, filtered rows into the RGB raster.
#pragma once

#include <cstdint>
#include <string_view>

#include "images/png_gamma.h"
#include "images/raster.h"

namespace fw::png {

struct Header {
  std::uint32_t width = 0, height = 0;
  std::uint8_t depth = 0, colorType = 0, interlace = 0;
};

// Checks the header's kind, inflates `stream`, undoes the filters and, unless `raster` is
// null, fills it. `palette` is the PLTE data (null when the file has none); `gamma` the table
// of a gAMA chunk (null without one). Rows the stream does not reach stay black.
void DecodeImage(const Header& header, std::string_view stream, const std::string_view* palette,
                 const GammaTable* gamma, Raster* raster);

}  // namespace fw::png
