// The smooth sampler: a separable Lanczos-3 filter whose reach widens with the reduction, so
// each output pixel is a weighted mean of the whole source area it stands for and fine
// patterns do not alias. Output pixel i is centred on source coordinate (i + 0.5) * scale
// - 0.5; taps falling outside the source are left out and the rest renormalised. It takes
// source rows one at a time, top to bottom, and holds only the few its vertical pass still
// needs: memory follows the source's width and the filter's reach, never the source's height.
#pragma once

#include <cstdint>
#include <vector>

#include "images/raster.h"

namespace fw {

class Host;

// The filter along one axis: for each output index, its first source index and weights.
struct FilterTaps {
  std::vector<int> first;
  std::vector<int> count;
  std::vector<float> weight;  // `stride` weights per output index, the unused ones zero
  int stride = 0;
};

// `scale` is the number of source pixels one output pixel stands for (below 1: enlarged).
FilterTaps LanczosTaps(int outCount, int sourceCount, double scale);

class SmoothScaler {
 public:
  // Fills `out` (already sized) from a sourceWidth x sourceHeight source; the scales as for
  // LanczosTaps. The host processes events after each output row.
  SmoothScaler(int sourceWidth, int sourceHeight, double scaleX, double scaleY, Raster& out,
               Host& host);
  // The next source row, RGB; rows after the last one any output row reads are ignored.
  void push(const std::uint8_t* row);
  bool finished() const { return nextOut_ >= out_.height; }

 private:
  void emit(int y);

  FilterTaps columns_, rows_;
  Raster& out_;
  Host& host_;
  int pushed_ = 0;
  int nextOut_ = 0;
  std::vector<std::vector<float>> window_;  // the last source rows pushed
  std::vector<float> down_;                 // the rows of one output row's window, combined
};

// `source` scaled to `size` on its longest side by the smooth filter, to the point sampler's
// output size.
Raster SmoothSample(const Raster& source, int size, Host& host);

}  // namespace fw
