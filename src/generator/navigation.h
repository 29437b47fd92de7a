// The navigation of generated pages: the page buttons of the gallery pages, the link to the
// index page, and the Previous / Back to gallery / Next bar of the image pages.
#pragma once

namespace fw {

class PageFile;
struct PageContext;

// The page buttons for the current page of the run, each run of ButtonsPerRow buttons in a
// centred table of its own.
void WriteGalleryNavBar(PageFile& page, PageContext& c);
// One centred link to the index page.
void WriteIndexLink(PageFile& page, PageContext& c);

enum class BarPlace { Top, Bottom };
// The bar of the image at the run's cursor; the two places differ in how the Next cell ends.
void WriteImageNavBar(PageFile& page, PageContext& c, BarPlace place);

}  // namespace fw
