// The extra pictures of the responsive layout. They live in the thumbnail folder and are named
// by the thumbnail rule applied to the picture's name with a fixed marker put before its
// extension (photo.jpg: Thumb-photo@2x.jpg, Thumb-photo@display.jpg), so they stand beside
// their thumbnail and the image list takes them for thumbnails, never for pictures.
#pragma once

#include <string>

#include "common/naming.h"

namespace fw {

// The thumbnail at twice ThumbSize, for screens of two device pixels a CSS pixel.
inline constexpr const char* kDoubleMarker = "@2x";
// The copy an image page shows in place of an original wider than kDisplayWidth.
inline constexpr const char* kDisplayMarker = "@display";
inline constexpr int kDisplayWidth = 2048;
inline constexpr int kDisplayQuality = 85;

// `image` with `marker` before its last four characters.
std::string MarkedName(const std::string& image, const char* marker);
std::string DoubleThumbnailName(const NamingValues& v, const std::string& image);
std::string DisplayCopyName(const NamingValues& v, const std::string& image);

}  // namespace fw
