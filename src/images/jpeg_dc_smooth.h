// Smooth thumbnails of progressive JPEGs from their DC coefficients alone. Where libjpeg would
// decode at 1/8 of the size anyway, each of its output pixels is one block's mean: the DC
// scans hold those, so the AC scans, most of the file, are passed over undecoded. Components
// are upsampled by repetition and turned into RGB as libjpeg does at that scale.
#pragma once

#include <optional>
#include <string>

#include "images/raster.h"

namespace fw {

class Host;

// As SmoothJpegFile, for a progressive picture whose smooth thumbnail libjpeg would decode at
// 1/8: grey, YCbCr or RGB, Huffman-coded, 8 bits. Empty whenever libjpeg's own decode must
// make it instead: another kind of picture, a larger output, a scan script libjpeg calls bogus,
// damaged data or an error (which that decode then reports as it always does).
std::optional<Raster> SmoothJpegFromDc(const std::string& path, int size, int orientation,
                                       Host& host);

}  // namespace fw
