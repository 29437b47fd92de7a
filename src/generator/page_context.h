// Everything a page writer works with while a generation run is under way: the gallery's
// snapshot, the host, the pictures, the banner hooks and the run values shared by the writers.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "images/image_io.h"

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

// Measuring and shrinking pictures; the run uses the library's, tests their own.
class Pictures {
 public:
  virtual ~Pictures() = default;
  // Width and height of the picture at `path`; a picture that cannot be read raises.
  virtual ImageSize size(const std::string& path) = 0;
  // Writes the thumbnail of `source` to `target`, `longestSide` pixels on its longest side.
  // Raises when the picture cannot be read; false when the target could not be written (the
  // host has been told).
  virtual bool makeThumbnail(Host& host, const std::string& source, const std::string& target,
                             int longestSide) = 0;
  // makeThumbnail in two steps, so that thumbnails can be prepared on worker threads while
  // the run writes and reports them in order. `prepare` touches no host and writes nothing
  // (safe on any thread); it raises as makeThumbnail does and is empty when nothing would be
  // written. `write` is makeThumbnail's last step, with its result.
  virtual std::optional<std::string> prepare(const std::string& source, int longestSide) = 0;
  virtual bool write(Host& host, const std::string& target, const std::string& bytes) = 0;
};

// GetImageSize and MakeScaledJpeg (quality 75, progressive).
Pictures& LibraryPictures();

struct PageContext {
  const GallerySnapshot& values;
  Host& host;
  Pictures& pictures;
  Banners& banners;
  RunValues& run;
};

}  // namespace fw
