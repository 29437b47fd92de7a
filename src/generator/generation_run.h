// The generation run ("Go"): every missing thumbnail, then the banner script files, the gallery
// pages with their image pages and the index page, which is then opened in the browser. The
// custom layout hands the pages to the custom-template writer instead; the responsive layout
// makes its extra pictures after the thumbnails and writes pages of its own.
#pragma once

#include <functional>
#include <string>

#include "generator/index_page.h"
#include "images/run_controls.h"

namespace fw {

class CustomPages;
class GalleryValues;
class Host;
struct PageContext;

inline constexpr const char* kNoImagesMessage = "There are no image files in the image directory";
inline constexpr const char* kBaseDirMessage = "Base directory could not be created.";

// Runs "Go" for the gallery of `c.values`, leaving the run values in `c.run`. `custom` writes
// the custom layout's pages (nothing is written for that layout without it). `busy.enter`
// enters the busy state and disables "Resize large images" and the thumbnail folder field;
// `busy.leave` enables those and "Thumbs" again and leaves the busy state. An error while
// pages are written ends the run with that error, after the busy state has been left.
// Missing thumbnails, and those older than their picture, are made (smooth when the gallery's
// `SmoothPictures` says so) on `threads` worker threads (0: one per core); what the user sees
// and every file written or renamed follow the order of a one-thread run.
void RunGeneration(PageContext& c, CustomPages* custom, const RunControls& busy,
                   const SampleDraw& draw = {}, unsigned threads = 0);

// "Go" as the front ends start it: the snapshot of the gallery `source` holds now, its banner
// banks, its custom templates and the library's pictures.
void RunGo(const GalleryValues& source, Host& host, const RunControls& busy);

}  // namespace fw
