// A gallery page: the framed table of thumbnails of one page of the run, with its texts,
// navigation and (with the image shell on) the image page of every picture it shows.
#pragma once

#include <memory>

namespace fw {

struct PageContext;

// Writes the gallery pages of a run; what every page shares (texts, tags, the navigation
// bar, the image page writer) is put together once, for the run's page count.
class GalleryPageWriter {
 public:
  explicit GalleryPageWriter(PageContext& c);
  ~GalleryPageWriter();
  // Writes gallery page `c.run.page` of `c.run.pageCount`, placing pictures from
  // `c.run.cursor` on and leaving the cursor past the last one placed.
  void write();

  struct Parts;

 private:
  PageContext& c_;
  std::unique_ptr<Parts> parts_;
};

// Writes gallery page `c.run.page` alone.
void WriteGalleryPage(PageContext& c);

}  // namespace fw
