// The point sampler: every output pixel is a copy of one source pixel, the sampling grid
// anchored at the top-left corner (no half-pixel offset). The scale is held as a double; each
// source index is its product with the output index, taken in extended precision and rounded
// half to even.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "images/raster.h"

namespace fw {

class Host;

struct ScaledSize {
  double q = 0;  // the source's longest side over the requested size
  int width = 0;
  int height = 0;
};

// Output size of a width x height source scaled to `size` on its longest side; each side is at
// least 1. Raises fw::Error for an empty source or a size below 1.
ScaledSize ScaledDimensions(int width, int height, int size);

// An output raster of that size, black; raises fw::Error when it would pass kMaxPixels or the
// picture budget.
Raster NewScaledRaster(const ScaledSize& s);

// The source index sampled by output index i at scale q, clamped to limit - 1 so that an
// enlargement's last rows and columns repeat the source's last ones.
int SampledIndex(int i, double q, int limit);

// The byte offset in a source row of every output column's pixel.
std::vector<std::size_t> SampledColumns(const ScaledSize& s, int sourceWidth);
// Fills one output row of `width` pixels from one source row.
void SampleRow(const std::uint8_t* in, const std::vector<std::size_t>& column, int width,
               std::uint8_t* out);

// Scales `source` to `size` on its longest side; lets the host process events after each row.
Raster PointSample(const Raster& source, int size, Host& host);

}  // namespace fw
