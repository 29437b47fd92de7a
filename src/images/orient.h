// Pictures turned as their EXIF orientation says (1..8: as stored, mirrored, turned a half or
// a quarter, or both). The displayed frame is what a browser shows; each of its pixels is one
// pixel of the stored raster, so turning and sampling copy pixels and never blend them.
#pragma once

#include "images/raster.h"

namespace fw {

class Host;

// Orientations 5 to 8 turn by a quarter: the displayed width is the stored height.
bool SwapsSides(int orientation);

struct PixelPos {
  int x = 0;
  int y = 0;
};

// The stored pixel shown at (x, y) of the displayed frame of a picture stored as
// width x height. Any orientation outside 2..8 shows the picture as stored.
PixelPos StoredPixel(int orientation, int x, int y, int width, int height);

// The stored raster as displayed.
Raster TurnRaster(const Raster& stored, int orientation);

// The displayed picture scaled to `size` on its longest side, exactly as PointSample would
// scale TurnRaster(stored, orientation), but without making the turned copy; lets the host
// process events after each row.
Raster OrientedPointSample(const Raster& stored, int orientation, int size, Host& host);

}  // namespace fw
