// Whether a file Go writes into the thumbnail folder would fall on a picture of the image list
// (thumbnails kept beside the pictures with an empty prefix). Folders are compared by their
// real paths, so a link or a "sub/.." spelling of the same folder is caught too.
#pragma once

#include <string>
#include <unordered_set>

namespace fw {

struct GallerySnapshot;

class ListedPictures {
 public:
  explicit ListedPictures(const GallerySnapshot& g);
  // True when the file `name` of the thumbnail folder is a picture of the list.
  bool isPicture(const std::string& name) const;

 private:
  std::string realThumbFolder_;
  std::unordered_set<std::string> paths_;
};

}  // namespace fw
