// The gallery pages of the responsive layout: a grid of Rows x Columns thumbnails that
// reflows to the screen, the gallery's texts around it, the page bar and (with the image shell
// on) the image page of every picture shown.
#pragma once

#include <memory>
#include <string>

#include "generator/navigation.h"

namespace fw {

struct PageContext;

class ResponsiveGalleryWriter {
 public:
  explicit ResponsiveGalleryWriter(PageContext& c);
  ~ResponsiveGalleryWriter();
  // Writes gallery page `c.run.page` of `c.run.pageCount`, placing pictures from
  // `c.run.cursor` on and leaving the cursor past the last one placed.
  void write();

  struct Parts;

 private:
  std::string cell(int cursor, bool lazy);
  std::string bar(BarPlace place) const;

  PageContext& c_;
  std::unique_ptr<Parts> parts_;
};

}  // namespace fw
