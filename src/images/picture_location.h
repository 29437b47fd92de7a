// Where a picture was taken, removed from the published files that may carry it: a JPEG as
// jpeg_location.h tells, and a WebP file alike, the GPS data of its EXIF chunk and the GPS
// properties of its XMP chunk blanked in place, so every chunk keeps its length and the image
// data are not looked at.
#pragma once

#include <string>

#include "images/image_io.h"

namespace fw {

// Edits the WebP file held in `webp`; true when location data were found and blanked.
// Raises fw::Error, leaving `webp` as it was, when its chunks are damaged.
bool RemoveWebpLocation(std::string& webp);

// The file's location data removed by the rule of its kind (JPEG or WebP); false, the file
// untouched, when there were none or its kind is neither.
bool RemovePictureLocation(std::string& file, PictureKind kind);

}  // namespace fw
