// Everything a page writer works with while a generation run is under way: the gallery's
// snapshot, the host, the pictures, the banner hooks and the run values shared by the writers.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "images/image_io.h"
#include "images/thumbnail_pass.h"

namespace fw {

class Banners;
class Host;
struct GallerySnapshot;

// The run values: set by the generation run, read by every page writer. They keep their last
// values after a run.
struct RunValues {
  int pageCount = 0;      // P
  int imagesPerPage = 0;  // N
  int page = 0;           // the gallery page being written, 1..P
  int cursor = 0;         // zero-based index of the next picture to place in the image list
};

// Measuring pictures and making their thumbnails; the run uses the library's, tests their own.
class Pictures : public ThumbnailMaker {
 public:
  // Width and height of the picture at `path`; a picture that cannot be read raises.
  virtual ImageSize size(const std::string& path) = 0;
  // The copy an image page shows of a picture too large for any screen: smoothly scaled to
  // `longestSide`; raises when the picture cannot be read, false when the copy could not be
  // written (the host has been told).
  virtual bool makeDisplayCopy(Host& host, const std::string& source, const std::string& target,
                               int longestSide) = 0;
};

// GetImageSize and the library's thumbnails.
Pictures& LibraryPictures();

struct PageContext {
  const GallerySnapshot& values;
  Host& host;
  Pictures& pictures;
  Banners& banners;
  RunValues& run;
};

}  // namespace fw
