// Where a picture was taken, removed from a JPEG without touching its image: the GPS IFD of
// its Exif data (with IFD0's pointer to it) and the GPS properties of its XMP packets. Every
// change is made in place with the segments keeping their lengths, so all other metadata
// (including maker notes that hold offsets) stay where they were and the compressed image
// data are not even looked at.
#pragma once

#include <string>

namespace fw {

// Edits the JPEG file held in `jpeg`; true when location data were found and blanked.
// Raises fw::Error, leaving `jpeg` as it was, when the markers before the first scan are
// damaged: such a file cannot be told free of location data.
bool RemoveJpegLocation(std::string& jpeg);

// The steps, on one segment's data each (same length afterwards; true when changed):
// TIFF-structured Exif data as they follow "Exif\0\0", and an XMP packet's XML text.
bool RemoveExifGps(std::string& tiff);
bool RemoveXmpGps(std::string& xml);

}  // namespace fw
