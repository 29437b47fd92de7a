// The EXIF Orientation of a JPEG: how the stored pixels must be turned to show the picture the
// way the camera was held. Browsers display JPEGs turned by it, so the sizes written into pages
// and the pictures the system makes follow it too. Reading it never fails: a missing, damaged
// or out-of-range tag means 1 (shown as stored).
#pragma once

#include <string>
#include <string_view>

namespace fw {

// 1..8 from the Exif segment among the leading markers of the JPEG file at `path` (the markers
// before the image data). Reads are bounded; the image data are never read.
int ReadJpegOrientation(const std::string& path);

// The same from the first bytes of a JPEG file held in memory.
int JpegOrientationFromBytes(std::string_view jpeg);

// The Orientation tag of IFD0 in the payload of an APP1 segment that begins "Exif\0\0".
int ExifOrientation(std::string_view app1Payload);

// The same from Exif data that begin with the TIFF header itself, as other containers keep
// them (a leading "Exif\0\0" is passed over too).
int TiffOrientation(std::string_view exif);

}  // namespace fw
