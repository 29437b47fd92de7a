#include "images/orient.h"

#include <cstring>
#include <string>
#include <vector>

#include "common/host.h"
#include "images/scaler.h"

namespace fw {

bool SwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

PixelPos StoredPixel(int orientation, int x, int y, int width, int height) {
  switch (orientation) {
    case 2:  // mirrored left to right
      return {width - 1 - x, y};
    case 3:  // turned a half
      return {width - 1 - x, height - 1 - y};
    case 4:  // mirrored top to bottom
      return {x, height - 1 - y};
    case 5:  // mirrored along the main diagonal
      return {y, x};
    case 6:  // stored a quarter turn anticlockwise: shown turned clockwise
      return {y, height - 1 - x};
    case 7:  // mirrored along the other diagonal
      return {width - 1 - y, height - 1 - x};
    case 8:  // stored a quarter turn clockwise: shown turned anticlockwise
      return {width - 1 - y, x};
    default:
      return {x, y};
  }
}

Raster TurnRaster(const Raster& stored, int orientation) {
  const int width = SwapsSides(orientation) ? stored.height : stored.width;
  const int height = SwapsSides(orientation) ? stored.width : stored.height;
  Raster out = NewRaster(width, height, TooLargeToDecode(width, height));
  for (int y = 0; y < out.height; ++y) {
    std::uint8_t* dst = out.row(y);
    for (int x = 0; x < out.width; ++x, dst += 3) {
      const PixelPos p = StoredPixel(orientation, x, y, stored.width, stored.height);
      std::memcpy(dst, stored.row(p.y) + std::size_t(p.x) * 3, 3);
    }
  }
  return out;
}

Raster OrientedPointSample(const Raster& stored, int orientation, int size, Host& host) {
  const bool swap = SwapsSides(orientation);
  const int shownWidth = swap ? stored.height : stored.width;
  const int shownHeight = swap ? stored.width : stored.height;
  // The sampling grid lies in the displayed frame, so its arithmetic (longest side, rounding,
  // clamping) is the very one of an upright picture of the displayed size.
  const ScaledSize s = ScaledDimensions(shownWidth, shownHeight, size);
  Raster out = NewScaledRaster(s);

  std::vector<int> column(std::size_t(s.width));
  for (int x = 0; x < s.width; ++x) column[x] = SampledIndex(x, s.q, shownWidth);
  for (int y = 0; y < s.height; ++y) {
    const int shownRow = SampledIndex(y, s.q, shownHeight);
    std::uint8_t* dst = out.row(y);
    for (int x = 0; x < s.width; ++x, dst += 3) {
      const PixelPos p = StoredPixel(orientation, column[x], shownRow, stored.width, stored.height);
      std::memcpy(dst, stored.row(p.y) + std::size_t(p.x) * 3, 3);
    }
    host.processEvents();
  }
  return out;
}

}  // namespace fw
