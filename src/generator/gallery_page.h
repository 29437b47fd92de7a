// A gallery page: the framed table of thumbnails of one page of the run, with its texts,
// navigation and (with the image shell on) the image page of every picture it shows.
#pragma once

namespace fw {

struct PageContext;

// Writes gallery page `c.run.page` of `c.run.pageCount`, placing pictures from `c.run.cursor`
// on and leaving the cursor past the last one placed.
void WriteGalleryPage(PageContext& c);

}  // namespace fw
