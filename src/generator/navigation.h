// The navigation of generated pages: the page buttons of the gallery pages, the link to the
// index page, and the Previous / Back to gallery / Next bar of the image pages. Each bar is
// put together once per run; a page only fills in what is its own.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "common/naming.h"

namespace fw {

class PageFile;
struct GallerySettings;
struct PageContext;

// The page buttons for the run's page count, each run of ButtonsPerRow buttons in a centred
// table of its own.
class GalleryNavBar {
 public:
  explicit GalleryNavBar(const PageContext& c);
  // The bar of page `current`: its own button carries no link and the active colours.
  void write(PageFile& page, int current) const;

 private:
  std::string activeButton(int m) const;

  std::string linked_;  // the whole bar with every button linked
  std::vector<std::pair<std::size_t, std::size_t>> buttons_;  // button m's lines in linked_
  std::string activeBack_, activeFont_, prefix_;
};

// One centred link to the index page.
std::string IndexLinkLine(const GallerySettings& g);

enum class BarPlace { Top, Bottom };

// The bar of the image at the run's cursor, to its neighbours in the image list and to the
// gallery page that shows it.
class ImageNavBar {
 public:
  explicit ImageNavBar(const PageContext& c);
  // The two places differ in how the Next cell ends.
  void write(PageFile& page, const PageContext& c, BarPlace place) const;

 private:
  NamingValues names_;
  std::string tableStart_, cellStart_, linkEnd_;
};

// One-off forms of the above for the current state of `c`.
void WriteGalleryNavBar(PageFile& page, PageContext& c);
void WriteIndexLink(PageFile& page, PageContext& c);
void WriteImageNavBar(PageFile& page, PageContext& c, BarPlace place);

}  // namespace fw
