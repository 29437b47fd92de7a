// The extra pictures the responsive layout's pages offer, made by the generation run after the
// missing thumbnails.
#pragma once

namespace fw {

struct PageContext;

// Makes, for every picture of the list, the double-size thumbnail and (for an original wider
// than kDisplayWidth) the display copy, where they are missing. Pictures the thumbnail pass
// could not read are passed over; no picture of the list is ever written over.
void MakeResponsivePictures(PageContext& c);

}  // namespace fw
