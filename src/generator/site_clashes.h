// Every file a Go run would write, claimed before it writes any: the thumbnails, the gallery
// and image pages, the index page and the banner script files, or the pages of the custom
// layout, beside the pictures they must not replace.
#pragma once

#include "common/name_clashes.h"

namespace fw {

struct GallerySnapshot;

NameClashes FindSiteClashes(const GallerySnapshot& g);

}  // namespace fw
