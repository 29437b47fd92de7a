// The image list: the ordered bare file names of the current gallery's pictures, rebuilt
// from the image folder on every reload and never stored. BMP, GIF and PNG files come first
// (in that order), then the JPEG files that are not thumbnails; each group keeps the
// directory's own order unless the list is sorted.
#pragma once

#include <string>
#include <vector>

namespace fw {

struct GallerySettings;

// The gallery values a scan depends on.
struct ImageScanValues {
  std::string baseDir;  // an empty (or all-blank) site folder gives an empty list
  std::string thumbPrefix;
  bool isThumbPrefix = false;  // prefix mode: contained anywhere; suffix mode: name ends
                               // with thumbPrefix + ".jpg"; both in exact letter case
  bool sorted = false;         // alphabetical without regard to ASCII case
  bool webPictures = false;    // .jpeg, WebP and AVIF files too, each kind in a group after
                               // the JPEG group and listed whole, as thumbnails are all .jpg

  // BaseDir, ThumbPrefix, IsThumbPrefix, Sorted and ListWebPictures of `s`.
  static ImageScanValues From(const GallerySettings& s);
};

// The list for `imageFolder` (with or without its trailing separator). A missing or
// unreadable folder gives an empty list.
std::vector<std::string> ScanImageList(const std::string& imageFolder, const ImageScanValues& v);

// The reload of a gallery: its image folder scanned with its own values.
std::vector<std::string> ScanImageList(const GallerySettings& s);

// Whether `name` is taken for a thumbnail in the JPEG group.
bool IsThumbnailName(const std::string& name, const std::string& thumbPrefix, bool isThumbPrefix);

// Orders names alphabetically without regard to ASCII case (names that differ only in case
// keep a fixed, byte-wise order).
void SortImageNames(std::vector<std::string>& names);

// The text of the count label: "Images:25  Pages:3".
std::string ImageCountLabel(int images, int pages);

}  // namespace fw
